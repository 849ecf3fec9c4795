// Adding the reports of an import to the open log as one operation.
#pragma once
#include <string>
#include <vector>

#include "exchange/csv_import.h"
#include "logstore/log_change.h"
#include "logstore/log_store.h"

// How adding the reports of a planned file ended.
enum class ImportWriting {
    Added,
    LogFailed,    // the log could not take them; LastError says why
    FileChanged,  // the file no longer gives what the question said
};

// Reads the CSV file again, a window at a time, and appends its reports as one
// journaled change (an AppendRun of exactly plan.reports records), written in
// blocks and flushed once. Nothing is added unless the file gives the same
// reports and skipped lines as when `plan` was made from it.
ImportWriting AddImportedFile(LogStore& log, const std::string& csvPath, const ImportPlan& plan);

// Reads a file of reports again, handing each to `sink` (the CSV reading, the ADIF reading).
using ImportReading = ImportPlan (*)(const std::string& path, const ReportSink* sink, ImportText text);
// The same for a file of any format `read` reads. With `rows`, the register
// values the reading gives (ADIF) are gathered in the same reading: those that
// are not empty, each with the Entry its report gets.
ImportWriting AddImportedRecords(LogStore& log, const std::string& path, const ImportPlan& plan, ImportReading read,
                                 std::vector<RegisterRow>* rows = nullptr);

// "Added N reports to <logPath>."
std::string ImportDoneText(size_t count, const std::string& logPath);
// Why nothing was added, after AddImportedFile failed.
std::string ImportFailedText(const LogStore& log, const std::string& logPath);
std::string ImportFileChangedText(const std::string& csvPath, const std::string& logPath);
