#include "browse/entry_edit.h"

#include "logstore/log_change.h"
#include "records/text_trim.h"

EditTexts EditTextsOf(const LogEntry& entry) {
    return {TrimRight(FieldText(entry.Freq)), TrimRight(FieldText(entry.Station)), TrimRight(FieldText(entry.Location)),
            TrimRight(FieldText(entry.Remarks))};
}

ExitChoice ChooseExit(bool edited, const std::string& stationText) {
    if (!edited) return ExitChoice::CloseOnly;
    LogEntry probe{};
    FillField(probe.Station, stationText);  // blank after the cut to 20 counts as blank
    if (IsBlank(FieldText(probe.Station))) return ExitChoice::StayOnStation;
    return ExitChoice::WriteBack;
}

LogEntry EditedEntry(const LogEntry& original, const EditTexts& texts) {
    LogEntry entry = original;
    FillField(entry.Freq, texts.Freq);
    FillField(entry.Station, texts.Station);
    FillField(entry.Location, texts.Location);
    FillField(entry.Remarks, texts.Remarks);
    return entry;
}

bool SaveEditedEntry(LogStore& log, int32_t number, const LogEntry& edited, ReportRegister& reg) {
    LogEntry before{};
    int32_t got = 0;
    // An entry that cannot be read is not in the register's way: RewriteEntry says why it fails.
    bool known = ReadEntries(log, number, 1, &before, &got) && got == 1;
    RegisterChange change;
    if (known && !PrepareEdit(reg, log, number, before, edited, &change)) {
        return FailWith(log, LogError::RegisterFailed);
    }
    log.EntryBuffer = edited;
    bool saved = RewriteEntry(log, number);
    if (!saved) RecountEntries(log);  // keeps LastError
    if (known) FinishChange(reg, log, change, saved);
    return saved;
}
