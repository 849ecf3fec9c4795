#include "reports/report_values.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(const char* text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

bool AllDigits(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (!IsDigit(text[i])) return false;
    }
    return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

int CompareDigitRuns(const std::string& a, const std::string& b) {
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    return day >= 1 && day <= DaysInMonth(year, month);
}

DateKey ReadDashedDate(const char* text, size_t length) {
    if (length != 10 || text[2] != '-' || text[5] != '-') return kNoDate;
    if (!AllDigits(text, 2) || !AllDigits(text + 3, 2) || !AllDigits(text + 6, 4)) return kNoDate;
    int day = TwoDigits(text);
    int month = TwoDigits(text + 3);
    int year = TwoDigits(text + 6) * 100 + TwoDigits(text + 8);
    if (!IsCalendarDate(year, month, day)) return kNoDate;
    return year * 10000 + month * 100 + day;
}

bool ReadColonTime(const char* text, size_t length, TimeOfDay* time) {
    if (length != 5 || text[2] != ':' || !AllDigits(text, 2) || !AllDigits(text + 3, 2)) return false;
    int hour = TwoDigits(text);
    int minute = TwoDigits(text + 3);
    if (hour > 23 || minute > 59) return false;
    time->hour = hour;
    time->minute = minute;
    return true;
}

void TrimBlanks(const char** text, size_t* length) {
    while (*length > 0 && (*text)[0] == ' ') {
        ++*text;
        --*length;
    }
    while (*length > 0 && (*text)[*length - 1] == ' ') --*length;
}

bool ReadDecimal(const char* text, size_t length, DecimalValue* value) {
    TrimBlanks(&text, &length);
    size_t point = 0;
    while (point < length && IsDigit(text[point])) ++point;
    if (point == 0) return false;
    size_t fractionLength = 0;
    if (point < length) {
        if (text[point] != '.') return false;
        fractionLength = length - point - 1;
        if (fractionLength == 0 || !AllDigits(text + point + 1, fractionLength)) return false;
    }
    size_t firstSignificant = 0;
    while (firstSignificant < point && text[firstSignificant] == '0') ++firstSignificant;
    while (fractionLength > 0 && text[point + fractionLength] == '0') --fractionLength;
    value->whole.assign(text + firstSignificant, point - firstSignificant);
    value->fraction.assign(fractionLength > 0 ? text + point + 1 : text, fractionLength);
    return true;
}

int CompareDecimal(const DecimalValue& a, const DecimalValue& b) {
    // Without leading zeros the longer whole part is the larger number.
    if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -1 : 1;
    int order = CompareDigitRuns(a.whole, b.whole);
    if (order != 0) return order;
    // Without trailing zeros the fractions compare as texts.
    return CompareDigitRuns(a.fraction, b.fraction);
}
