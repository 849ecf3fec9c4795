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
