#include "ui/log_guard.h"
#include "ui/message_box.h"

#include <windows.h>

namespace {

constexpr const char* kNoLogText = "No Log Selected";

}  // namespace

bool LogSelected(const std::string& logPath) {
    if (!logPath.empty()) return true;
    ShowMessageBox(nullptr, kCaptionUlmar, kNoLogText);
    return false;
}

bool OpenLogAndSayRecovery(LogStore& log, const std::string& path) {
    bool opened = OpenLog(log, path);
    std::string text;
    if (TakeRecoveryMessage(log, &text)) ShowMessageBox(nullptr, kCaptionUlmar, text);
    return opened;
}
