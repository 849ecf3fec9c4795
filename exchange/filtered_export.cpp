#include "exchange/filtered_export.h"

ExportResult ExportReports(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter) {
    EntryFilter hook;
    return ExportLog(log, start, fileName, RunFilter(filter, &hook));
}
