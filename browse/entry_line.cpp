#include "browse/entry_line.h"

#include "app/shared_values.h"
#include "ui/column_rules.h"

namespace {

constexpr size_t kFrequencyWidth = sizeof(LogEntry::Freq);

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int MonthNumber(const LogEntry& entry) {
    const char* text = entry.Date + 3;
    constexpr int kLength = 2;
    int i = 0;
    while (i < kLength && text[i] == ' ') ++i;
    bool negative = false;
    if (i < kLength && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int value = 0;
    for (; i < kLength && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

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
    for (int i = 0; i < kLineRuleCount; ++i) x[i] = RuleX(kLineRuleFixedX[i], kLineRuleColumn[i], cellWidth);
}
