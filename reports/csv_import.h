// Reading a CSV file of reports to add to the log: ULMAR's own export, or any
// CSV file with those columns in any order, found by their header names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "logstore/log_entry.h"

// What a file would add, worked out before anything is written.
struct ImportPlan {
    bool refused = false;
    std::string refusal;              // with `refused`: why the file cannot be imported
    std::vector<LogEntry> records;    // the reports to add, in file order
    int64_t skipped = 0;              // lines that cannot become a report
    int64_t firstSkippedLine = 0;     // line of the file, from 1
    std::string firstSkipReason;      // for example "Station longer than 20"
};

// The file's bytes: the encoding, the separator and the header are worked out
// as for ImportPlanForFile. Rows that are blank in every field are passed
// over without being counted as skipped.
ImportPlan PlanImport(const std::string& fileBytes);
// Reads the file and plans its import; a file that cannot be read, or that is
// larger than any log could take, is refused.
ImportPlan ImportPlanForFile(const std::string& path);

constexpr const char* kImportCaption = "Import";
// "Add N reports to <logPath>?", followed by the skip line when lines will be
// skipped. Asked only when there is at least one report.
std::string ImportQuestionText(const ImportPlan& plan, const std::string& logPath);
// "Nothing to import", followed by the skip line when lines will be skipped.
std::string NothingToImportText(const ImportPlan& plan);
// The refusal of a file that is not CSV or lacks a required column.
std::string ImportRefusalText(const ImportPlan& plan, const std::string& csvPath);
