// Reading a CSV file of reports to add to the log: ULMAR's own export, or any
// CSV file with those columns in any order, found by their header names.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/csv_file_reader.h"
#include "logstore/log_entry.h"
#include "reports/register_row.h"

// How a file's text is read: UTF-8 (converted to code page 1252) when the
// whole of it is valid UTF-8 beyond plain ASCII, code page 1252 otherwise.
enum class ImportText { Unknown, Utf8, CodePage1252 };

// What a file would add, worked out before anything is written.
struct ImportPlan {
    bool Refused = false;
    std::string Refusal;                    // with Refused: why the file cannot be imported
    int64_t Reports = 0;                    // the reports it would add
    std::vector<LogEntry> Records;          // PlanImport only: those reports, in file order
    int64_t Skipped = 0;                    // lines that cannot become a report
    int64_t FirstSkippedLine = 0;           // line of the file, from 1
    std::string FirstSkipReason;            // for example "Station longer than 20"
    int64_t FileSize = 0;                   // the bytes the plan was made from
    ImportText Text = ImportText::Unknown;  // how its text was read
};

// A plan that refuses the whole file, saying why.
ImportPlan RefusedImport(const std::string& reason);
// Counts one skipped line or record of the plan, keeping the first one's number and reason.
void SkipInPlan(ImportPlan* plan, int64_t number, const std::string& reason);

// Takes each report of a file in file order; false stops the reading.
struct ReportSink {
    bool (*Take)(const LogEntry& record, void* context) = nullptr;
    void* Context = nullptr;
    // Where a format carries them (ADIF), each report's register values, before Take.
    void (*TakeRow)(const RegisterRow& row, void* context) = nullptr;
};

// How a format plans the bytes of a source.
using SourceReading = ImportPlan (*)(const ByteSource& source, const ReportSink* sink, ImportText text);
// A value as a skip reason shows it: on one line and not too long.
std::string ShownInReason(std::string_view value);
// Plans bytes in memory with `read`, keeping every report in the plan (for tests).
ImportPlan PlanBytesImport(std::string_view bytes, SourceReading read);
// Opens `path`, read `windowBytes` at a time, and plans it with `read`; a file
// that cannot be opened or sized, is larger than 256 MB or, with `refuseEmpty`,
// is empty is refused.
ImportPlan PlanFileImport(const std::string& path, size_t windowBytes, bool refuseEmpty, SourceReading read,
                          const ReportSink* sink, ImportText text);

// The file's bytes: the encoding, the separator and the header are worked out
// as for ImportPlanForFile. Rows that are blank in every field are passed
// over without being counted as skipped.
ImportPlan PlanImport(std::string_view fileBytes);
// Reads the file a window at a time and plans its import, keeping no report;
// a file that cannot be read, or that is larger than any log could take, is
// refused.
ImportPlan ImportPlanForFile(const std::string& path);
// The same reading, handing each report to `sink` as it is read; `text` says
// how to read the text when a plan has found it out already. The file is read
// `windowBytes` at a time (tests choose small windows).
ImportPlan ReadImportFile(const std::string& path, const ReportSink* sink, ImportText text,
                          size_t windowBytes = kCsvWindowBytes);

// "Add N reports to <logPath>?", followed by the skip line when lines will be
// skipped. Asked only when there is at least one report.
std::string ImportQuestionText(const ImportPlan& plan, const std::string& logPath);
// "Nothing to import", followed by the skip line when lines will be skipped.
std::string NothingToImportText(const ImportPlan& plan);
// The refusal of a file that is not CSV or lacks a required column.
std::string ImportRefusalText(const ImportPlan& plan, const std::string& csvPath);
