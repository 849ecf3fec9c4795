// The texts of a print or export run: the printed row and heading, the page
// number and the closing messages.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_entry.h"

// Length of the printed row and of the heading text.
constexpr size_t kPrintedRowLength = 129;
constexpr size_t kHeadingLength = 86;

// The printed row: date, time, station, location, frequency right-aligned in
// six places followed by "KHz", remarks; fields separated by two blanks.
std::string PrintedRow(const LogEntry& entry);

// The column titles printed above the rows, lined up with PrintedRow.
std::string HeadingText();

// "Page N".
std::string PageNumberText(int page);

// "Print of N reports complete".
std::string CompletionText(int32_t count);

// Shown instead of the completion message when the log could not be read to
// its end; `count` entries were output before that.
std::string ReadFailureText(int32_t count);
