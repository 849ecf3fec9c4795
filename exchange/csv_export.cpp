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
    result.Count = walk.Count;
    result.Status = FinishOutputFile(&out.Output.File, fileName, WritePending(&out.Output), walk.ReadFailed);
    return result;
}

namespace {

std::string PartName(const std::string& fileName) { return fileName + "~"; }

// An earlier file of that name that is read-only or held by another program
// is refused, not replaced behind its back.
bool EarlierFileWritable(const std::string& fileName) {
    if (!FileExists(fileName.c_str())) return true;
    PlatformFile earlier;
    if (!FileOpen(fileName.c_str(), FileAccess::ReadWrite, &earlier)) return false;
    FileClose(&earlier);
    return true;
}

}  // namespace

ExportStatus CreateOutputFile(const LogStore& log, const std::string& fileName, PlatformFile* file) {
    if (fileName.empty()) return ExportStatus::NoFileName;
    if (IsLogOpen(log) && FileIsSameAs(log.LogFile, fileName.c_str())) return ExportStatus::NamesOpenLog;
    if (!EarlierFileWritable(fileName)) return ExportStatus::CannotCreate;
    if (!FileOpen(PartName(fileName).c_str(), FileAccess::CreateTruncate, file)) return ExportStatus::CannotCreate;
    return ExportStatus::Written;
}

ExportStatus FinishOutputFile(PlatformFile* file, const std::string& fileName, bool written, bool readFailed) {
    written = written && FileFlush(*file);
    FileClose(file);
    std::string part = PartName(fileName);
    if (written && !readFailed && FileReplace(part.c_str(), fileName.c_str())) return ExportStatus::Written;
    FileDelete(part.c_str());
    if (!written) return ExportStatus::WriteFailed;
    return readFailed ? ExportStatus::ReadFailed : ExportStatus::CannotCreate;
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
