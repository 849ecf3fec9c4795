// The CSV branch of a filtered run.
#pragma once
#include <cstdint>
#include <string>

#include "exchange/csv_export.h"
#include "records/entry_filter.h"

// The export of the entries from `start` on that the filter keeps; `count` is
// the number of lines written. With an empty filter this is exactly the
// unfiltered export, byte for byte.
ExportResult ExportReports(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter);
