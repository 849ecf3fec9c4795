// The text of one browse line built from a log entry, the list item that holds
// it, and where the grey rules of a painted line go.
#pragma once
#include <string>

#include "logstore/log_entry.h"
#include "records/record_texts.h"

// Marks every list item; it is never painted.
constexpr char kListItemMarker = '\xFF';

// Day, month name, year, time, station, location, frequency + "KHz", remarks:
// 124 characters when the month number is 1..12, 121 otherwise.
std::string FormatEntryLine(const LogEntry& entry);
// The list item: the marker byte followed by FormatEntryLine.
std::string ListItemText(const LogEntry& entry);
// Freq without its trailing blanks, blanks added on the left up to 6 characters.
std::string FrequencyText(const LogEntry& entry);

// The selected line shows its first 11 characters (the date) in the band colours.
constexpr int kDateBandLength = 11;

// The five vertical rules of a line: fixed pixel positions for 8-pixel cells,
// otherwise the middle of the blank columns between the fields.
constexpr int kLineRuleCount = 5;
constexpr int kLineRuleFixedX[kLineRuleCount] = {92, 140, 310, 510, 587};
constexpr int kLineRuleColumn[kLineRuleCount] = {11, 17, 38, 63, 73};
// Fills `x` with the rule positions for character cells `cellWidth` pixels wide.
void LineRulePositions(int cellWidth, int (&x)[kLineRuleCount]);
