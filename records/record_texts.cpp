#include "records/record_texts.h"

#include <cstring>

namespace {

const char* const MonthNames[2][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "Febuary", "March", "April", "May", "June", "July", "August", "September", "October", "November",
     "December"},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const char* MonthName(int kind, int month) {
    if (kind < 0 || kind > 1 || month < 1 || month > 12) return "";
    return MonthNames[kind][month - 1];
}

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

size_t FormatReportDate(const LogEntry& entry, char* out) {
    char* p = out;
    *p++ = entry.Date[0];
    *p++ = entry.Date[1];
    *p++ = ' ';
    for (const char* month = MonthName(kMonthShort, MonthNumber(entry)); *month; ++month) *p++ = *month;
    *p++ = ' ';
    std::memcpy(p, entry.Date + 6, 4);
    p += 4;
    return static_cast<size_t>(p - out);
}

std::string ReportDate(const LogEntry& entry) {
    char date[11];
    return std::string(date, FormatReportDate(entry, date));
}
