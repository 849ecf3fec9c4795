#include "logstore/record_texts.h"

namespace {

const char* const MonthNames[2][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "Febuary", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
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
