#include "exchange/import_append.h"

#include <cstdint>
#include <vector>

namespace {

// Records are written a block at a time: a little under a quarter of a megabyte.
constexpr size_t kAppendBlock = 2048;

struct FileAppend {
    LogStore* Log;
    AppendRun Run;
    std::vector<LogEntry> Block;
    LogEntry Last{};
    bool LogFailed = false;
    bool TooMany = false;
    int32_t First = 0;                         // the entry the first report becomes
    std::vector<RegisterRow>* Rows = nullptr;  // the register values gathered (TakeRow only when given)
};

bool WriteBlock(FileAppend* append) {
    if (append->Block.empty()) return true;
    if (!AppendRunRecords(*append->Log, &append->Run, append->Block.data(),
                          static_cast<int32_t>(append->Block.size()))) {
        append->LogFailed = true;
        return false;
    }
    append->Block.clear();
    return true;
}

bool TakeRecord(const LogEntry& record, void* context) {
    FileAppend* append = static_cast<FileAppend*>(context);
    if (append->Run.Written + static_cast<int64_t>(append->Block.size()) >= append->Run.Total) {
        append->TooMany = true;
        return false;
    }
    append->Block.push_back(record);
    append->Last = record;
    return append->Block.size() < kAppendBlock || WriteBlock(append);
}

// Called before the report's TakeRecord: its entry is the next one.
void TakeRow(const RegisterRow& row, void* context) {
    FileAppend* append = static_cast<FileAppend*>(context);
    if (RowIsEmpty(row)) return;
    append->Rows->push_back(row);
    append->Rows->back().Entry =
        append->First + static_cast<int32_t>(append->Run.Written + static_cast<int64_t>(append->Block.size()));
}

bool SameOutcome(const ImportPlan& again, const ImportPlan& plan) {
    return !again.Refused && again.Reports == plan.Reports && again.Skipped == plan.Skipped &&
           again.FirstSkippedLine == plan.FirstSkippedLine && again.FileSize == plan.FileSize;
}

ImportPlan ReadCsvAgain(const std::string& path, const ReportSink* sink, ImportText text) {
    return ReadImportFile(path, sink, text);
}

}  // namespace

ImportWriting AddImportedFile(LogStore& log, const std::string& csvPath, const ImportPlan& plan) {
    return AddImportedRecords(log, csvPath, plan, ReadCsvAgain);
}

ImportWriting AddImportedRecords(LogStore& log, const std::string& path, const ImportPlan& plan, ImportReading read,
                                 std::vector<RegisterRow>* rows) {
    if (plan.Reports > INT32_MAX) {
        log.LastError = LogError::WriteFailed;
        return ImportWriting::LogFailed;
    }
    FileAppend append{&log, {}, {}, {}, false, false, log.EntryCount + 1, rows};
    append.Block.reserve(kAppendBlock);
    if (rows) rows->clear();
    if (!BeginAppendRun(log, static_cast<int32_t>(plan.Reports), &append.Run)) return ImportWriting::LogFailed;
    ReportSink sink{TakeRecord, &append, rows ? TakeRow : nullptr};
    ImportPlan again = read(path, &sink, plan.Text);
    if (append.LogFailed) return ImportWriting::LogFailed;  // the run was put back
    if (append.TooMany || !SameOutcome(again, plan) || !WriteBlock(&append)) {
        AbandonAppendRun(log, &append.Run);
        return append.LogFailed ? ImportWriting::LogFailed : ImportWriting::FileChanged;
    }
    if (!FinishAppendRun(log, &append.Run)) return ImportWriting::LogFailed;
    log.EntryBuffer = append.Last;
    log.LastError = LogError::None;
    return ImportWriting::Added;
}

std::string ImportDoneText(size_t count, const std::string& logPath) {
    return "Added " + std::to_string(count) + " reports to " + logPath + ".";
}

std::string ImportFailedText(const LogStore& log, const std::string& logPath) {
    return "Nothing was added to " + logPath + ". " + DescribeLogError(log.LastError);
}

std::string ImportFileChangedText(const std::string& csvPath, const std::string& logPath) {
    return "Nothing was added to " + logPath + ". " + csvPath +
           " changed after it was read; import it again to see what it holds now.";
}
