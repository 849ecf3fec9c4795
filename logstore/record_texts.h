// Names read from a record and shown beside it: the program's title, the
// month names, and the one reading of a Date's month that every text uses.
#pragma once

#include "logstore/log_entry.h"

constexpr const char* ProgramTitle = "ULMAR v1.01";

enum MonthKind { kMonthShort = 0, kMonthFull = 1 };
// Month names by kind and month 1..12; any other month gives "".
const char* MonthName(int kind, int month);

// Month number from Date characters 4-5: blanks skipped, an optional sign, then
// digits up to the first character that is not one; no digits gives 0.
int MonthNumber(const LogEntry& entry);
