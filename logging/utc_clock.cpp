#include "logging/utc_clock.h"

#include "records/record_texts.h"

ClockState Clock;

namespace {

constexpr const char* kTitleWords = "    Report Logging";
const std::string kTitleGap(10, ' ');

// The last `width` characters of the decimal form of `value` + 10^width, so a
// value is always shown with exactly `width` digits, leading zeros kept.
std::string LastDigits(int value, int width) {
    int base = 1;
    for (int i = 0; i < width; ++i) base *= 10;
    std::string text = std::to_string(static_cast<long long>(value) + base);
    return text.substr(text.size() - static_cast<size_t>(width));
}

int TwoDigitNumber(const std::string& text, size_t at) {
    if (text.size() < at + 2) return 0;
    char a = text[at], b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
    return (a - '0') * 10 + (b - '0');
}

ImageSwap MakeSwap(int slot, char first, char second) {
    ImageSwap swap = {slot, {first, second, 0}};
    return swap;
}

}  // namespace

void ResetClockTexts(ClockState& clock) {
    clock.ClockTime = "00:00";
    clock.ClockDate.clear();
}

std::string TimeText(const UtcTime& now) { return LastDigits(now.Hour, 2) + ":" + LastDigits(now.Minute, 2); }

std::string WorkingDate(const UtcTime& now) {
    return LastDigits(now.Day, 2) + "-" + LastDigits(now.Month, 2) + "-" + LastDigits(now.Year, 4);
}

std::string LoggingTitle(const std::string& clockDate, const std::string& logPath) {
    std::string day = clockDate.substr(0, 2);
    std::string year = clockDate.size() >= 4 ? clockDate.substr(clockDate.size() - 4) : clockDate;
    const char* month = MonthName(kMonthFull, TwoDigitNumber(clockDate, 3));
    return std::string(ProgramTitle) + kTitleWords + kTitleGap + "Date: " + day + " " + month + " " + year + kTitleGap +
           logPath;
}

ClockPlan PlanClockUpdate(ClockState& clock, const UtcTime& now, const std::string& logPath) {
    ClockPlan plan;
    clock.ColonVisible = clock.ColonVisible == 0 ? 1 : 0;
    plan.Swaps[plan.SwapCount++] = MakeSwap(kColonSlot, 'F', clock.ColonVisible ? 'C' : 'B');

    std::string time = TimeText(now);
    std::string date = WorkingDate(now);
    for (int slot : {kHourTens, kHourUnits, kMinuteTens, kMinuteUnits}) {
        size_t at = static_cast<size_t>(slot);
        bool same = at < clock.ClockTime.size() && clock.ClockTime[at] == time[at];
        if (!same) plan.Swaps[plan.SwapCount++] = MakeSwap(slot, 'F', time[at]);
    }
    clock.ClockTime = time;

    if (date != clock.ClockDate) {
        clock.ClockDate = date;
        plan.TitleChanged = true;
        plan.Title = LoggingTitle(date, logPath);
    }
    return plan;
}
