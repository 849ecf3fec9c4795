// Reading an ADIF file (ADI) of reports to add to the log: ULMAR's own export,
// or any other program's, in any letter case, with or without a header,
// UTF-8 or code page 1252. Planned and added as the CSV import is.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "exchange/csv_import.h"
#include "exchange/import_append.h"
#include "reports/register.h"

// The file's bytes, planned with every report kept (for tests).
ImportPlan PlanAdifImport(std::string_view fileBytes);
// Reads the file a window at a time and plans its import, keeping no report.
// `firstSkippedLine` counts records (each ended by <EOR>), from 1.
ImportPlan AdifImportPlanForFile(const std::string& path);
// The same reading, handing each report to `sink`; `text` as a plan found it.
ImportPlan ReadAdifImportFile(const std::string& path, const ReportSink* sink, ImportText text,
                              size_t windowBytes = kCsvWindowBytes);

// Reads the file again and adds its reports as one journaled change, as
// AddImportedFile does for a CSV file.
ImportWriting AddImportedAdifFile(LogStore& log, const std::string& adifPath, const ImportPlan& plan);

// AddImportedAdifFile, gathering in the same reading the register values of
// the reports that carry any (so memory follows the rows, not the file), then
// those rows into `reg`; `*rowsStored` is false when they could not be written.
ImportWriting AddImportedAdifReports(LogStore& log, ReportRegister& reg, const std::string& adifPath,
                                     const ImportPlan& plan, bool* rowsStored);

// "Add N reports to <logPath>?", then "M records will be skipped; the first,
// record K: <reason>." when records will be skipped.
std::string AdifImportQuestionText(const ImportPlan& plan, const std::string& logPath);
std::string AdifNothingToImportText(const ImportPlan& plan);
std::string AdifImportRefusalText(const ImportPlan& plan, const std::string& adifPath);
