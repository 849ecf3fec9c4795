#include "exchange/import_append.h"

#include <cstdint>
#include <vector>

namespace {

// Records are written a block at a time: a little under a quarter of a megabyte.
constexpr size_t kAppendBlock = 2048;

struct FileAppend {
    LogStore* log;
    AppendRun run;
    std::vector<LogEntry> block;
    LogEntry last{};
    bool logFailed = false;
    bool tooMany = false;
};

bool WriteBlock(FileAppend* append) {
    if (append->block.empty()) return true;
    if (!AppendRunRecords(*append->log, &append->run, append->block.data(),
                          static_cast<int32_t>(append->block.size()))) {
        append->logFailed = true;
        return false;
    }
    append->block.clear();
    return true;
}

bool TakeRecord(const LogEntry& record, void* context) {
    FileAppend* append = static_cast<FileAppend*>(context);
    if (append->run.written + static_cast<int64_t>(append->block.size()) >= append->run.total) {
        append->tooMany = true;
        return false;
    }
    append->block.push_back(record);
    append->last = record;
    return append->block.size() < kAppendBlock || WriteBlock(append);
}

bool SameOutcome(const ImportPlan& again, const ImportPlan& plan) {
    return !again.refused && again.reports == plan.reports && again.skipped == plan.skipped &&
           again.firstSkippedLine == plan.firstSkippedLine && again.fileSize == plan.fileSize;
}

ImportPlan ReadCsvAgain(const std::string& path, const ReportSink* sink, ImportText text) {
    return ReadImportFile(path, sink, text);
}

}  // namespace

ImportWriting AddImportedFile(LogStore& log, const std::string& csvPath, const ImportPlan& plan) {
    return AddImportedRecords(log, csvPath, plan, ReadCsvAgain);
}

ImportWriting AddImportedRecords(LogStore& log, const std::string& path, const ImportPlan& plan, ImportReading read) {
    if (plan.reports > INT32_MAX) {
        log.LastError = LogError::WriteFailed;
        return ImportWriting::LogFailed;
    }
    FileAppend append{&log, {}, {}, {}, false, false};
    append.block.reserve(kAppendBlock);
    if (!BeginAppendRun(log, static_cast<int32_t>(plan.reports), &append.run)) return ImportWriting::LogFailed;
    ReportSink sink{TakeRecord, &append};
    ImportPlan again = read(path, &sink, plan.text);
    if (append.logFailed) return ImportWriting::LogFailed;  // the run was put back
    if (append.tooMany || !SameOutcome(again, plan) || !WriteBlock(&append)) {
        AbandonAppendRun(log, &append.run);
        return append.logFailed ? ImportWriting::LogFailed : ImportWriting::FileChanged;
    }
    if (!FinishAppendRun(log, &append.run)) return ImportWriting::LogFailed;
    log.EntryBuffer = append.last;
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
