#include "print/csv_export.h"

#include "platform/file.h"
#include "print/csv_line.h"
#include "print/log_walk.h"

namespace {

// Lines are gathered and written in blocks of about a megabyte.
constexpr size_t kWriteBlock = 1 << 20;

struct ExportFile {
    PlatformFile file;
    int64_t offset = 0;
    std::string pending;
    bool headerDone = false;
    bool writeFailed = false;
};

bool WritePending(ExportFile* out) {
    if (out->pending.empty()) return true;
    if (!FileWriteAt(out->file, out->offset, out->pending.data(), out->pending.size())) {
        out->writeFailed = true;
        return false;
    }
    out->offset += static_cast<int64_t>(out->pending.size());
    out->pending.clear();
    return true;
}

bool ExportEntry(const LogEntry& entry, void* context) {
    ExportFile* out = static_cast<ExportFile*>(context);
    // The header goes before the first entry, so a run without entries
    // leaves the file empty.
    if (!out->headerDone) {
        out->pending += kCsvHeader;
        out->pending += kCsvLineEnd;
        out->headerDone = true;
    }
    AppendCsvLine(entry, &out->pending);
    out->pending += kCsvLineEnd;
    if (out->pending.size() >= kWriteBlock) return WritePending(out);
    return true;
}

}  // namespace

ExportResult ExportLog(LogStore& log, int64_t start, const std::string& fileName) {
    ExportResult result;
    if (fileName.empty()) {
        result.status = ExportStatus::NoFileName;
        return result;
    }
    if (IsLogOpen(log) && fileName == log.OpenPath) {
        result.status = ExportStatus::NamesOpenLog;
        return result;
    }
    ExportFile out;
    if (!FileOpen(fileName.c_str(), FileAccess::CreateTruncate, &out.file)) {
        result.status = ExportStatus::CannotCreate;
        return result;
    }
    out.pending.reserve(kWriteBlock + 256);
    WalkResult walk = WalkLog(log, start, ExportEntry, &out);
    WritePending(&out);
    FileClose(&out.file);
    result.count = walk.count;
    if (out.writeFailed) {
        result.status = ExportStatus::WriteFailed;
    } else if (walk.readFailed) {
        result.status = ExportStatus::ReadFailed;
    }
    return result;
}

std::string ExportFailureText(ExportStatus status, const std::string& fileName) {
    switch (status) {
        case ExportStatus::Written: return "";
        case ExportStatus::NoFileName: return "No file name was given, so no file was written.";
        case ExportStatus::NamesOpenLog:
            return "The file " + fileName +
                   " was not written: it is the open log itself, which the export never overwrites.";
        case ExportStatus::CannotCreate:
            return "The file " + fileName +
                   " was not written: it could not be created. The folder may not exist, or the file may be "
                   "read-only or in use.";
        case ExportStatus::WriteFailed:
            return "The file " + fileName + " was not written completely. The disk may be full.";
        case ExportStatus::ReadFailed:
            return "The file " + fileName + " was not written completely: the log could not be read to the end.";
    }
    return "";
}
