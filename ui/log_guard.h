// Windows that work on the log open only when one is selected.
#pragma once
#include <string>

// False, after telling the listener "No Log Selected", when `logPath` is empty.
bool LogSelected(const std::string& logPath);
