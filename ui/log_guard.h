// Windows that work on the log open only when one is selected.
#pragma once
#include <string>

#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "reports/register.h"

// False, after telling the listener "No Log Selected", when `logPath` is empty.
bool LogSelected(const std::string& logPath);

// Opens the log at `path` (OpenLog) and, when the opening finished or took
// back a change a killed run left, says so once in a box titled "Ulmar". Then
// opens the log's report register (Register), saying once in such a box when
// it cannot be read.
bool OpenLogAndSayRecovery(LogStore& log, const std::string& path);
