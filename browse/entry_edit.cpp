#include "browse/entry_edit.h"

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

bool SaveEditedEntry(LogStore& log, int32_t number, const LogEntry& edited) {
    log.EntryBuffer = edited;
    if (WriteEntry(log, number) && FlushLog(log)) return true;
    RecountEntries(log);  // keeps LastError
    return false;
}
