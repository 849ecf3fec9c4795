// The open log's register, opened with the log: switching logs switches registers.
#pragma once
#include "logstore/log_store.h"

// Opens the register beside `log` into Register (reports/register.h) and, when
// it cannot be read, says so once in a box titled "Ulmar".
void OpenRegisterAndSayWhy(LogStore& log);
