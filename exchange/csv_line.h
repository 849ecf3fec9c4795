// One entry as a line of the comma-separated export file.
#pragma once
#include <string>

#include "logstore/log_entry.h"

constexpr const char* kCsvHeader = "Date,Time,Station,Location,Freq,Remarks";
constexpr const char* kCsvLineEnd = "\r\n";

// Appends the entry's line, without its line end: date as printed, time,
// station, location (trailing blanks removed, leading kept), the frequency
// without blanks followed by "KHz", remarks. A field holding a comma, a double
// quote or a line break is written in double quotes with inner quotes doubled,
// so every line keeps its six columns.
void AppendCsvLine(const LogEntry& entry, std::string* out);

// The longest a line can be, quotes included.
constexpr size_t kLongestCsvLine = 2 * (11 + 5 + 20 + 24 + 6 + 3 + 50) + 2 * 6 + 5;
// Room PutCsvLine needs at `out`: it may write up to a field's width past
// the line's end.
constexpr size_t kCsvLineRoom = kLongestCsvLine + 64;
// Writes the line at `out` and returns its end.
char* PutCsvLine(const LogEntry& entry, char* out);

// The entry's line as a text of its own (without the line end).
std::string CsvLine(const LogEntry& entry);
