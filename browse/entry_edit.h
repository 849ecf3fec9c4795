// What the view-and-edit window shows of an entry and what it writes back.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_store.h"
#include "reports/register.h"

// The four editable fields as texts, without trailing blanks.
struct EditTexts {
    std::string Freq;
    std::string Station;
    std::string Location;
    std::string Remarks;
};

EditTexts EditTextsOf(const LogEntry& entry);

enum class ExitChoice {
    CloseOnly,      // nothing was changed: close, write nothing
    StayOnStation,  // the station is blank: keep the window open, focus the station
    WriteBack,      // store the texts, then close
};
// The choice for "&EXIT" (or Escape) given whether a field changed and the
// Station box's text.
ExitChoice ChooseExit(bool edited, const std::string& stationText);

// `original` with the four texts stored in their fields (cut to width, padded
// with blanks); Date and Time are kept.
LogEntry EditedEntry(const LogEntry& original, const EditTexts& texts);

// Writes `edited` as entry `number` through EntryBuffer and flushes it. On
// failure EntryCount follows the file's real length and LastError says why.
// A register row on the entry follows the edit (register.h).
bool SaveEditedEntry(LogStore& log, int32_t number, const LogEntry& edited, ReportRegister& reg);
