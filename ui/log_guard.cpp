#include "ui/log_guard.h"

#include <windows.h>

namespace {

constexpr const char* kNoLogText = "No Log Selected";
constexpr const char* kNoLogCaption = "Ulmar";

}  // namespace

bool LogSelected(const std::string& logPath) {
    if (!logPath.empty()) return true;
    MessageBoxA(nullptr, kNoLogText, kNoLogCaption, MB_OK);
    return false;
}

bool OpenLogAndSayRecovery(LogStore& log, const std::string& path) {
    bool opened = OpenLog(log, path);
    std::string text;
    if (TakeRecoveryMessage(log, &text)) MessageBoxA(nullptr, text.c_str(), kRecoveryTitle, MB_OK);
    return opened;
}
