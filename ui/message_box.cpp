#include "ui/message_box.h"

int ShowMessageBox(HWND owner, const char* caption, const std::string& text, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption, type);
}
