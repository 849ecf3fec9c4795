// Names read from a record and shown beside it: the program's title, the
// month names, the one reading of a Date's month that every text uses, and
// the date as the printed page and the exports show it.
#pragma once
#include <cstddef>
#include <string>

#include "logstore/log_entry.h"

constexpr const char* ProgramTitle = "ULMAR v1.01";

enum MonthKind { kMonthShort = 0, kMonthFull = 1 };
// Month names by kind and month 1..12; any other month gives "".
const char* MonthName(int kind, int month);

// Month number from Date characters 4-5: blanks skipped, an optional sign, then
// digits up to the first character that is not one; no digits gives 0.
int MonthNumber(const LogEntry& entry);

// "DD Mon YYYY" from the entry's DD-MM-YYYY Date: the day as stored, the
// three-letter month name and the year. A month outside 1..12 gives an empty
// name, so the text is the day, two blanks and the year.
std::string ReportDate(const LogEntry& entry);
// The same text written to `out` (room for 11 characters); returns its length.
size_t FormatReportDate(const LogEntry& entry, char* out);
