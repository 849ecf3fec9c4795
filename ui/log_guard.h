// Windows that work on the log open only when one is selected.
#pragma once
#include <string>

#include "logstore/log_change.h"
#include "logstore/log_store.h"

// False, after telling the listener "No Log Selected", when `logPath` is empty.
bool LogSelected(const std::string& logPath);

// Opens the log at `path` (OpenLog) and, when the opening finished or took
// back a change a killed run left, says so once in a box titled "Ulmar".
bool OpenLogAndSayRecovery(LogStore& log, const std::string& path);
