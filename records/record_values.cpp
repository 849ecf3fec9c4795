#include "records/record_values.h"

#include "records/text_trim.h"

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

int CompareDigitRuns(std::string_view a, std::string_view b) {
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
    time->Hour = hour;
    time->Minute = minute;
    return true;
}

bool ReadDecimal(const char* text, size_t length, DecimalView* value) {
    if (length > 0 && (text[0] == ' ' || text[length - 1] == ' ')) {  // mostly a number has no blanks
        std::string_view trimmed = Trimmed(std::string_view(text, length));
        text = trimmed.data();
        length = trimmed.size();
    }
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
    value->Whole = std::string_view(text + firstSignificant, point - firstSignificant);
    value->Fraction = std::string_view(text + point + (fractionLength > 0 ? 1 : 0), fractionLength);
    return true;
}

int CompareDecimal(DecimalView a, DecimalView b) {
    // Without leading zeros the longer whole part is the larger number.
    if (a.Whole.size() != b.Whole.size()) return a.Whole.size() < b.Whole.size() ? -1 : 1;
    int order = CompareDigitRuns(a.Whole, b.Whole);
    if (order != 0) return order;
    // Without trailing zeros the fractions compare as texts.
    return CompareDigitRuns(a.Fraction, b.Fraction);
}

DecimalValue KeptDecimal(DecimalView view) { return {std::string(view.Whole), std::string(view.Fraction)}; }

DecimalView ViewOf(const DecimalValue& value) { return {value.Whole, value.Fraction}; }

namespace {

constexpr size_t kScaledDecimals = 4;
constexpr size_t kScaledWholeDigits = 14;

int64_t TenThousandths(DecimalView value) {
    int64_t scaled = 0;
    for (char c : value.Whole) scaled = scaled * 10 + (c - '0');
    for (size_t i = 0; i < kScaledDecimals; ++i) {
        scaled = scaled * 10 + (i < value.Fraction.size() ? value.Fraction[i] - '0' : 0);
    }
    return scaled;
}

}  // namespace

// One pass over the text, without building a view first: the report filter
// reads every Freq of the log with it.
ScaledNumber ReadTenThousandths(const char* text, size_t length, int64_t* value) {
    std::string_view trimmed = Trimmed(std::string_view(text, length));
    text = trimmed.data();
    length = trimmed.size();
    size_t i = 0;
    int64_t scaled = 0;
    size_t significant = 0;  // whole digits from the first that is not 0
    for (; i < length && IsDigit(text[i]); ++i) {
        scaled = scaled * 10 + (text[i] - '0');
        if (scaled != 0) ++significant;
        if (significant > kScaledWholeDigits) break;
    }
    if (i == 0) return ScaledNumber::NotANumber;
    bool tooLong = significant > kScaledWholeDigits;
    size_t decimals = 0;
    if (!tooLong && i < length) {
        if (text[i] != '.' || i + 1 == length) return ScaledNumber::NotANumber;
        for (++i; i < length && IsDigit(text[i]); ++i, ++decimals) {
            if (decimals < kScaledDecimals) {
                scaled = scaled * 10 + (text[i] - '0');
            } else if (text[i] != '0') {
                tooLong = true;  // a fifth decimal that is not a trailing zero
            }
        }
    }
    // A number too long to scale must still be a number to be TooLong.
    if (tooLong || i < length) {
        DecimalView view;
        return ReadDecimal(text, length, &view) ? ScaledNumber::TooLong : ScaledNumber::NotANumber;
    }
    for (; decimals < kScaledDecimals; ++decimals) scaled *= 10;
    *value = scaled;
    return ScaledNumber::Fits;
}

uint64_t KhzKeyOf(int64_t khz) {
    uint64_t key = 0;
    int shift = 0;
    do {
        key |= static_cast<uint64_t>(khz % 10) << shift;
        shift += 8;
        khz /= 10;
    } while (khz > 0);
    return key;
}

int64_t BoundTenThousandths(DecimalView bound, bool lower) {
    // Beyond any number that fits, either way.
    if (bound.Whole.size() > kScaledWholeDigits) return INT64_MAX;
    DecimalView kept = {bound.Whole, bound.Fraction.substr(0, kScaledDecimals)};
    bool cut = bound.Fraction.size() > kScaledDecimals;  // what was cut is not all zeros
    return TenThousandths(kept) + (lower && cut ? 1 : 0);
}
