#include "reports/import_append.h"

#include <cstdint>

namespace {

// Records written per call: about a megabyte.
constexpr size_t kRecordsPerWrite = 9000;

bool Refuse(LogStore& log, LogError error) {
    log.LastError = error;
    return false;
}

bool WriteRecords(LogStore& log, int64_t offset, const std::vector<LogEntry>& records) {
    for (size_t first = 0; first < records.size(); first += kRecordsPerWrite) {
        size_t count = records.size() - first < kRecordsPerWrite ? records.size() - first : kRecordsPerWrite;
        int64_t at = offset + static_cast<int64_t>(first) * kEntrySize;
        if (!FileWriteAt(log.LogFile, at, &records[first], count * sizeof(LogEntry))) return false;
    }
    return true;
}

}  // namespace

bool AddImportedReports(LogStore& log, const std::vector<LogEntry>& records) {
    if (!IsLogOpen(log)) return Refuse(log, LogError::NotOpen);
    if (!log.Writable) return Refuse(log, LogError::ReadOnly);
    if (records.empty()) return true;
    if (records.size() > static_cast<size_t>(INT32_MAX - log.EntryCount)) return Refuse(log, LogError::WriteFailed);
    int64_t oldLength = 0;
    if (!FileSize(log.LogFile, &oldLength)) return Refuse(log, LogError::WriteFailed);
    LogError error = LogError::None;
    if (!WriteRecords(log, static_cast<int64_t>(log.EntryCount) * kEntrySize, records)) {
        error = LogError::WriteFailed;
    } else if (!FileFlush(log.LogFile)) {
        error = LogError::FlushFailed;
    }
    if (error != LogError::None) {
        // Nothing half-added: the log keeps exactly its old bytes' length.
        FileTruncate(log.LogFile, oldLength);
        FileFlush(log.LogFile);
        return Refuse(log, error);
    }
    log.EntryCount += static_cast<int32_t>(records.size());
    log.EntryBuffer = records.back();
    log.LastError = LogError::None;
    return true;
}

std::string ImportDoneText(size_t count, const std::string& logPath) {
    return "Added " + std::to_string(count) + " reports to " + logPath + ".";
}

std::string ImportFailedText(const LogStore& log, const std::string& logPath) {
    return "Nothing was added to " + logPath + ". " + DescribeLogError(log.LastError);
}
