#include "logstore/log_store.h"

#include <cstring>
#include <string>

LogStore Log;

namespace {

bool CheckWritable(LogStore& log) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!log.Writable) return FailWith(log, LogError::ReadOnly);
    return true;
}

bool FileLength(LogStore& log, int64_t* length) { return IsLogOpen(log) && FileSize(log.LogFile, length); }

bool OpenFile(LogStore& log, const std::string& path) {
    log.Writable = FileOpen(path.c_str(), FileAccess::ReadWrite, &log.LogFile);
    if (!log.Writable && !FileOpen(path.c_str(), FileAccess::ReadOnly, &log.LogFile)) return false;
    return true;
}

}  // namespace

bool IsLogOpen(const LogStore& log) { return log.LogFile.IsOpen(); }

bool FailWith(LogStore& log, LogError error) {
    log.LastError = error;
    return false;
}

bool OpenLogFile(LogStore& log, const std::string& path) {
    CloseLog(log);
    log.OpenPath = path;
    log.EntryCount = 0;
    log.LastError = LogError::None;
    log.Recovery = LogRecovery::None;
    if (path.empty() || !OpenFile(log, path)) return FailWith(log, LogError::NotOpen);
    return true;
}

void CloseLog(LogStore& log) {
    FileClose(&log.LogFile);
    log.Writable = false;
}

void RecountEntries(LogStore& log) {
    int64_t length = 0;
    if (!FileLength(log, &length)) length = 0;
    int64_t count = length / kEntrySize;
    log.EntryCount = count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

bool ReadEntries(LogStore& log, int32_t first, int32_t wanted, LogEntry* out, int32_t* got) {
    *got = 0;
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (first < 1 || wanted < 0 || first > log.EntryCount) return FailWith(log, LogError::BadNumber);
    if (wanted > log.EntryCount - first + 1) wanted = log.EntryCount - first + 1;
    size_t bytes = 0;
    if (!FileReadAt(log.LogFile, RecordOffset(first), out, static_cast<size_t>(wanted) * kEntrySize, &bytes)) {
        return FailWith(log, LogError::ReadFailed);
    }
    *got = static_cast<int32_t>(bytes / kEntrySize);
    return true;
}

bool ReadEntry(LogStore& log, int32_t n) {
    LogEntry entry;
    int32_t got = 0;
    if (!ReadEntries(log, n, 1, &entry, &got)) return false;
    if (got != 1) return FailWith(log, LogError::ReadFailed);
    log.EntryBuffer = entry;
    return true;
}

bool WriteEntry(LogStore& log, int32_t n) {
    if (!CheckWritable(log)) return false;
    if (n < 1 || n > log.EntryCount) return FailWith(log, LogError::BadNumber);
    if (!FileWriteAt(log.LogFile, RecordOffset(n), &log.EntryBuffer, kEntrySize)) {
        return FailWith(log, LogError::WriteFailed);
    }
    return true;
}

bool FlushLog(LogStore& log) {
    if (!IsLogOpen(log)) return FailWith(log, LogError::NotOpen);
    if (!FileFlush(log.LogFile)) return FailWith(log, LogError::FlushFailed);
    return true;
}

const char* DescribeLogError(LogError error) {
    switch (error) {
        case LogError::None: return "No error.";
        case LogError::NotOpen: return "No log file is open. It may be missing, or in use by another program.";
        case LogError::ReadOnly: return "The log file can only be read: it is read-only or in use.";
        case LogError::BadNumber: return "That entry is not in the log.";
        case LogError::ReadFailed: return "The log file could not be read.";
        case LogError::WriteFailed: return "The log file could not be written. The disk may be full.";
        case LogError::FlushFailed: return "The log file could not be written to the disk.";
        case LogError::TruncateFailed: return "The log file could not be shortened.";
        case LogError::DeleteFailed: return "The log file could not be deleted.";
        case LogError::ReopenFailed: return "The log file could not be opened again.";
        case LogError::JournalFailed:
            return "The note that keeps the change safe could not be written beside the log file.";
        case LogError::JournalDamaged: return "The note that keeps the change safe is damaged.";
        case LogError::RegisterFailed:
            return "The report register beside the log file could not be written first. The disk may be full.";
    }
    return "Unknown error.";
}

std::string RecoveryMessage(const LogStore& log) {
    std::string change =
        log.RecoveredRemoval
            ? "The last deletion (of entry " + std::to_string(log.RecoveredCount) + ") was interrupted."
            : "The last addition of " + std::to_string(log.RecoveredCount) + " entries was interrupted.";
    if (log.RecoveredRewrite) {
        change = log.RecoveredCount == 0
                     ? std::string("Saving the last report was interrupted.")
                     : "The last edit (of entry " + std::to_string(log.RecoveredCount) + ") was interrupted.";
    }
    std::string kept = "\r\nThe note was kept as " + log.RecoveryKept.substr(FileNameStart(log.RecoveryKept)) + ".";
    switch (log.Recovery) {
        case LogRecovery::None: return "";
        case LogRecovery::RemovalFinished:
            return change +
                   "\r\n\r\nIt has now been finished: the entry is deleted and every other entry is in the log once.";
        case LogRecovery::AppendUndone:
            return change + "\r\n\r\nThe log was put back as it was before: none of those entries was added.";
        case LogRecovery::RewriteFinished:
            return change + "\r\n\r\nIt has now been finished: the entry is written in full.";
        case LogRecovery::LeftAsItIs:
            return change +
                   "\r\n\r\nThe note of that change does not match the log as it is now (the log has been "
                   "changed or replaced since), so the log was not changed." +
                   kept;
        case LogRecovery::Unreadable:
            return "The last change of the log was interrupted, and its note could not be read.\r\n\r\n"
                   "The log was not changed." +
                   kept;
        case LogRecovery::NotFinished:
            return change + "\r\n\r\nIt could not be finished now: " + DescribeLogError(log.RecoveryError) +
                   "\r\nIt will be tried again when the log is next opened.";
    }
    return "";
}

bool TakeRecoveryMessage(LogStore& log, std::string* text) {
    *text = RecoveryMessage(log);
    log.Recovery = LogRecovery::None;
    return !text->empty();
}
