#include "exchange/csv_export.h"

#include <cstring>
#include <vector>

#include "exchange/block_output.h"
#include "exchange/csv_line.h"
#include "logstore/log_walk.h"
#include "platform/file.h"

namespace {

// Lines are gathered and written in blocks of about a megabyte.
constexpr size_t kWriteBlock = 1 << 20;

// Lines are formatted straight into a block that is written when full.
struct ExportFile {
    BlockOutput Output{PlatformFile{}, 0, std::vector<char>(kWriteBlock + kCsvLineRoom + 2)};
    bool HeaderDone = false;
};

bool ExportEntry(const LogEntry& entry, void* context) {
    ExportFile* out = static_cast<ExportFile*>(context);
    // The header goes before the first entry, so a run without entries
    // leaves the file empty.
    if (!out->HeaderDone) {
        PutText(&out->Output, kCsvHeader);
        PutText(&out->Output, kCsvLineEnd);
        out->HeaderDone = true;
    }
    char* start = out->Output.Block.data() + out->Output.Used;
    char* end = PutCsvLine(entry, start);
    end[0] = '\r';
    end[1] = '\n';
    out->Output.Used += static_cast<size_t>(end + 2 - start);
    if (out->Output.Used >= kWriteBlock) return WritePending(&out->Output);
    return true;
}

}  // namespace

ExportResult ExportLog(LogStore& log, int64_t start, const std::string& fileName, const EntryFilter* filter) {
    ExportResult result;
    ExportFile out;
    result.Status = CreateOutputFile(log, fileName, &out.Output.File);
    if (result.Status != ExportStatus::Written) return result;
    WalkResult walk = WalkLog(log, start, ExportEntry, &out, filter);
    WritePending(&out.Output);
    FileClose(&out.Output.File);
    result.Count = walk.Count;
    if (out.Output.WriteFailed) {
        result.Status = ExportStatus::WriteFailed;
    } else if (walk.ReadFailed) {
        result.Status = ExportStatus::ReadFailed;
    }
    return result;
}

ExportStatus CreateOutputFile(const LogStore& log, const std::string& fileName, PlatformFile* file) {
    if (fileName.empty()) return ExportStatus::NoFileName;
    if (IsLogOpen(log) && FileIsSameAs(log.LogFile, fileName.c_str())) return ExportStatus::NamesOpenLog;
    if (!FileOpen(fileName.c_str(), FileAccess::CreateTruncate, file)) return ExportStatus::CannotCreate;
    return ExportStatus::Written;
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
