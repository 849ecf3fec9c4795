// The texts of a print or export run: the date as printed, the printed row and
// heading, the closing message and the proposed export file name.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_entry.h"

// Length of the printed row and of the heading text.
constexpr size_t kPrintedRowLength = 129;
constexpr size_t kHeadingLength = 86;

// "DD Mon YYYY" from the entry's DD-MM-YYYY Date: the day as stored, the
// three-letter month name and the year. A month outside 1..12 gives an empty
// name, so the text is the day, two blanks and the year.
std::string ReportDate(const LogEntry& entry);
// The same text written to `out` (room for 11 characters); returns its length.
size_t FormatReportDate(const LogEntry& entry, char* out);

// The printed row: date, time, station, location, frequency right-aligned in
// six places followed by "KHz", remarks; fields separated by two blanks.
std::string PrintedRow(const LogEntry& entry);

// The column titles printed above the rows, lined up with PrintedRow.
std::string HeadingText();

// "Page N".
std::string PageNumberText(int page);

// "Print of N reports complete".
std::string CompletionText(int32_t count);
constexpr const char* kCompletionCaption = "Log Print";

// Shown instead of the completion message when the log could not be read to
// its end; `count` entries were output before that.
std::string ReadFailureText(int32_t count);

// The export file proposed for a log: its path, already upper-cased, with
// every ".ULM" replaced by ".CSV".
std::string ExportNameFromUpperPath(const std::string& upperPath);
// The same with another extension (".TXT", say) in place of ".CSV".
std::string OutputNameFromUpperPath(const std::string& upperPath, const std::string& extension);
