// The ADIF branch of a run: the entries as an ADIF file (ADI) that other
// logging programs read, with the exact texts kept for ULMAR's own reader.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/csv_export.h"
#include "platform/utc_time.h"
#include "records/entry_filter.h"
#include "reports/register_row.h"

// Damaged entries (a Date or Time that is not real) cannot be ADIF records:
// they are counted and the first is named.
struct AdifExportResult {
    ExportResult Written;  // the status and the records written
    int32_t Skipped = 0;
    int64_t FirstSkippedEntry = 0;  // its entry number in the log
    std::string FirstSkipReason;    // "its date is not a real date"
};

// Writes the header (a line naming the program and `logPath`, ADIF_VER,
// PROGRAMID, PROGRAMVERSION, CREATED_TIMESTAMP from `created`, <EOH>) and
// one record for each entry from `start` on that the filter keeps. The file
// is written beside `fileName` and put in its place in one step, so a failed
// run leaves any earlier file as it was. Refusals as for the CSV export.
// With `rows` (the register's, their Entry set), an entry's row goes into its
// record (exchange/adif_register.h).
AdifExportResult ExportAdif(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter,
                            const UtcTime& created, const std::string& logPath,
                            const std::vector<RegisterRow>* rows = nullptr);

// "" without skipped entries, else ". 1 report not written: entry 4, its date
// is not a real date." to follow the completion message.
std::string AdifSkipText(const AdifExportResult& result);

// The ADIF file proposed for a log: its upper-cased path with every ".ULM"
// replaced by ".ADI", as the CSV name is made.
std::string AdifNameFromUpperPath(const std::string& upperPath);
