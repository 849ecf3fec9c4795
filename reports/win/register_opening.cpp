#include "reports/win/register_opening.h"

#include <string>

#include "reports/register.h"
#include "ui/message_box.h"
#include "ui/message_captions.h"

void OpenRegisterAndSayWhy(LogStore& log) {
    OpenRegister(Register, log);
    std::string text;
    if (TakeRegisterMessage(Register, &text)) ShowMessageBox(nullptr, kCaptionUlmar, text);
}
