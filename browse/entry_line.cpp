#include "browse/entry_line.h"

#include "records/record_texts.h"
#include "records/text_trim.h"
#include "ui/column_rules.h"

namespace {

constexpr size_t kFrequencyWidth = sizeof(LogEntry::Freq);

}  // namespace

std::string FrequencyText(const LogEntry& entry) {
    std::string frequency = TrimRight(FieldText(entry.Freq));
    return std::string(kFrequencyWidth - frequency.size(), ' ') + frequency;
}

std::string FormatEntryLine(const LogEntry& entry) {
    std::string line;
    line.reserve(124);
    line.append(entry.Date, 2);
    line += ' ';
    line += MonthName(kMonthShort, MonthNumber(entry));
    line += ' ';
    line.append(entry.Date + 6, 4);
    line += ' ';
    line += FieldText(entry.Time);
    line += ' ';
    line += FieldText(entry.Station);
    line += ' ';
    line += FieldText(entry.Location);
    line += ' ';
    line += FrequencyText(entry);
    line += "KHz ";
    line += FieldText(entry.Remarks);
    return line;
}

std::string ListItemText(const LogEntry& entry) { return kListItemMarker + FormatEntryLine(entry); }

void LineRulePositions(int cellWidth, int (&x)[kLineRuleCount]) {
    RulePositions(kLineRuleFixedX, kLineRuleColumn, kLineRuleCount, cellWidth, x);
}
