// Bulletin lines: reports in the fixed line form club bulletins print, one
// line per report, sorted by frequency.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/csv_export.h"
#include "logstore/log_store.h"
#include "records/entry_filter.h"

// The line of one report, without its line end: frequency, time as HHMM,
// "station, ", "location. ", remarks and the date as D/M; each non-empty
// piece followed by its separator, empty pieces left out with theirs,
// trailing blanks removed. A record whose Date or Time is not valid has no
// date piece. Line breaks in a damaged record become blanks, so a report
// stays on one line.
std::string BulletinLine(const LogEntry& entry);

struct BulletinItem {
    LogEntry Entry;
    int32_t Number = 0;  // entry number in the log
};
// Bulletin order: records with a valid Date and Time first, the others last;
// within each, numeric frequencies by value, then the others by their bytes;
// then date, time and entry number.
void SortBulletin(std::vector<BulletinItem>* items);

// Writes the lines of the entries from `start` on that the filter keeps, in
// bulletin order, each ended by CR LF. Outcomes and failures as for the CSV
// export (an empty name, the open log's own name, a file that cannot be made
// or written); `count` is the number of lines written.
ExportResult WriteBulletin(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter);

// The bulletin file proposed for a log: its upper-cased path with every
// ".ULM" replaced by ".TXT", as the CSV name is made.
std::string BulletinNameFromUpperPath(const std::string& upperPath);
