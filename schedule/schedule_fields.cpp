#include "schedule/schedule_fields.h"

#include "records/text_trim.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly `count` digits at `text[at]`.
bool ReadDigits(std::string_view text, size_t at, size_t count, int* value) {
    if (at + count > text.size()) return false;
    *value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!IsDigit(text[i])) return false;
        *value = *value * 10 + (text[i] - '0');
    }
    return true;
}

constexpr const char* kDayNames[7] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};

// The day (0 = Monday) named by the two letters at `text[at]`, or -1.
int DayAt(std::string_view text, size_t at) {
    if (at + 2 > text.size()) return -1;
    for (int day = 0; day < 7; ++day) {
        if (text.substr(at, 2) == kDayNames[day]) return day;
    }
    return -1;
}

// One list item: a day, a run of days ("SaSu") or a range ("Mo-Fr", "Sa-Th").
bool AddDaysItem(std::string_view item, uint8_t* mask) {
    if (item.size() == 5 && item[2] == '-') {
        int from = DayAt(item, 0), to = DayAt(item, 3);
        if (from < 0 || to < 0) return false;
        for (int day = from;; day = (day + 1) % 7) {
            *mask |= static_cast<uint8_t>(1u << day);
            if (day == to) break;
        }
        return true;
    }
    if (item.empty() || item.size() % 2 != 0) return false;
    for (size_t at = 0; at < item.size(); at += 2) {
        int day = DayAt(item, at);
        if (day < 0) return false;
        *mask |= static_cast<uint8_t>(1u << day);
    }
    return true;
}

bool AllDayDigits(std::string_view text, uint8_t* mask) {
    for (char c : text) {
        if (c < '1' || c > '7') return false;
        *mask |= static_cast<uint8_t>(1u << (c - '1'));
    }
    return true;
}

}  // namespace

bool ParseKhz(std::string_view text, int64_t* milliKhz) {
    text = Trimmed(text, kBlankOrTab);
    int64_t whole = 0, fraction = 0;
    size_t at = 0, wholeDigits = 0, decimals = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at, ++wholeDigits) {
        if (wholeDigits == 9) return false;
        whole = whole * 10 + (text[at] - '0');
    }
    if (wholeDigits == 0) return false;
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        for (++at; at < text.size() && IsDigit(text[at]); ++at, ++decimals) {
            if (decimals == 3) return false;
            fraction = fraction * 10 + (text[at] - '0');
        }
    }
    if (at != text.size()) return false;
    for (size_t i = decimals; i < 3; ++i) fraction *= 10;
    *milliKhz = whole * 1000 + fraction;
    return true;
}

bool ParseTimeSpan(std::string_view text, uint16_t* startMinute, uint16_t* endMinute) {
    text = Trimmed(text, kBlankOrTab);
    int startHour, startMin, endHour, endMin;
    if (text.size() != 9 || text[4] != '-') return false;
    if (!ReadDigits(text, 0, 2, &startHour) || !ReadDigits(text, 2, 2, &startMin)) return false;
    if (!ReadDigits(text, 5, 2, &endHour) || !ReadDigits(text, 7, 2, &endMin)) return false;
    if (startHour > 23 || startMin > 59 || endMin > 59) return false;
    if (endHour > 24 || (endHour == 24 && endMin != 0)) return false;
    *startMinute = static_cast<uint16_t>(startHour * 60 + startMin);
    *endMinute = static_cast<uint16_t>(endHour * 60 + endMin);
    return true;
}

DaysForm ParseDays(std::string_view text) {
    DaysForm form;
    text = Trimmed(text, kBlankOrTab);
    if (text.empty()) {
        form.Mask = 0x7F;
        return form;
    }
    if (AllDayDigits(text, &form.Mask)) return form;
    form.Mask = 0;
    size_t from = 0;
    while (true) {
        size_t comma = text.find(',', from);
        std::string_view item = text.substr(from, comma == std::string_view::npos ? text.npos : comma - from);
        if (!AddDaysItem(item, &form.Mask)) return DaysForm{true, 0};
        if (comma == std::string_view::npos) return form;
        from = comma + 1;
    }
}

bool ParseDayMonth(std::string_view text, uint16_t* monthDay) {
    size_t bracket = text.find('[');
    if (bracket != std::string_view::npos) text = text.substr(0, bracket);
    text = Trimmed(text, kBlankOrTab);
    if (text.empty()) {
        *monthDay = 0;
        return true;
    }
    int day, month;
    if (text.size() != 4 || !ReadDigits(text, 0, 2, &day) || !ReadDigits(text, 2, 2, &month)) return false;
    if (day < 1 || day > 31 || month < 1 || month > 12) return false;
    *monthDay = static_cast<uint16_t>(month * 100 + day);
    return true;
}

int PersistenceNumber(std::string_view text) {
    text = Trimmed(text, kBlankOrTab);
    if (text.empty() || text.size() > 4) return -1;
    int value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return -1;
        value = value * 10 + (c - '0');
    }
    return value >= 90 ? value - 90 : value;
}
