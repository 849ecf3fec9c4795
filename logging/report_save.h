// Saving one report from the logging window's four boxes: the record is
// filled, stamped with the clock's last texts and appended to the log. The
// window lists it and clears its boxes only when the save succeeded.
#pragma once
#include <cstdint>
#include <string>

#include "logging/utc_clock.h"
#include "logstore/log_store.h"

// The four boxes' texts, as typed.
struct ReportTexts {
    std::string Freq;
    std::string Station;
    std::string Location;
    std::string Remarks;
};

enum class SaveResult {
    Saved,         // the record is in the file; EntryCount counts it
    BlankStation,  // nothing was done: the station is empty or only blanks
    NotSaved,      // the log refused the record; log.LastError says why
};

// Fills all six fields of `entry` from the texts and the clock. False (and
// `entry` untouched) when the station field would hold only blanks.
bool FillReportEntry(LogEntry& entry, const ReportTexts& texts, const ClockState& clock);
// Fills log.EntryBuffer and appends it as entry EntryCount + 1.
SaveResult SaveReport(LogStore& log, const ReportTexts& texts, const ClockState& clock);

// A number as plain decimal digits, no leading zeros or blanks.
std::string EntryNumberText(int64_t number);
// The message box text for a report the log refused.
std::string NotSavedMessage(LogError error);
