#include "reports/import_append.h"

#include <cstdint>

bool AddImportedReports(LogStore& log, const std::vector<LogEntry>& records) {
    if (records.size() > static_cast<size_t>(INT32_MAX)) {
        log.LastError = LogError::WriteFailed;
        return false;
    }
    // One journaled change: the old length is noted before the first byte is
    // written, so a failure or a killed run leaves the log as it was.
    if (!AppendEntries(log, records.data(), static_cast<int32_t>(records.size()))) return false;
    if (!records.empty()) log.EntryBuffer = records.back();
    log.LastError = LogError::None;
    return true;
}

std::string ImportDoneText(size_t count, const std::string& logPath) {
    return "Added " + std::to_string(count) + " reports to " + logPath + ".";
}

std::string ImportFailedText(const LogStore& log, const std::string& logPath) {
    return "Nothing was added to " + logPath + ". " + DescribeLogError(log.LastError);
}
