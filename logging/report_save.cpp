#include "logging/report_save.h"

#include "logstore/log_change.h"
#include "records/text_trim.h"

bool FillReportEntry(LogEntry& entry, const ReportTexts& texts, const ClockState& clock) {
    LogEntry filled;
    FillField(filled.Station, texts.Station);
    if (IsBlank(FieldText(filled.Station))) return false;
    FillField(filled.Freq, texts.Freq);
    FillField(filled.Remarks, texts.Remarks);
    FillField(filled.Location, texts.Location);
    FillField(filled.Date, clock.ClockDate);
    FillField(filled.Time, clock.ClockTime);
    entry = filled;
    return true;
}

SaveResult SaveReport(LogStore& log, const ReportTexts& texts, const ClockState& clock) {
    if (!FillReportEntry(log.EntryBuffer, texts, clock)) return SaveResult::BlankStation;
    if (!AppendEntry(log)) return SaveResult::NotSaved;
    return SaveResult::Saved;
}

std::string EntryNumberText(int64_t number) { return std::to_string(static_cast<long long>(number)); }

std::string NotSavedMessage(LogError error) {
    return std::string("The report was not saved.\n\n") + DescribeLogError(error) +
           "\n\nWhat you typed is still in the boxes, so you can try again.";
}
