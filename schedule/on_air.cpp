#include "schedule/on_air.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "schedule/schedule_fields.h"

namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

ScheduleTime DayBefore(ScheduleTime when) {
    if (--when.Day >= 1) return when;
    if (--when.Month < 1) {
        when.Month = 12;
        --when.Year;
    }
    when.Day = DaysInMonth(when.Year, when.Month);
    return when;
}

int LastSunday(int year, int month) {
    int last = DaysInMonth(year, month);
    return last - (WeekdayOf(year, month, last) + 1) % 7;
}

int MonthDayOf(const ScheduleTime& day) { return day.Month * 100 + day.Day; }

bool InDateRange(const ScheduleLine& line, const ScheduleTime& day) {
    int from = line.FromMonthDay, to = line.ToMonthDay, date = MonthDayOf(day);
    if (from == 0 && to == 0) return true;
    if (from == 0) return date <= to;
    if (to == 0) return date >= from;
    if (from <= to) return date >= from && date <= to;
    return date >= from || date <= to;  // over the new year
}

bool DayAdmitted(const ScheduleLine& line, const ScheduleTime& startDay) {
    if (!line.SpecialDays && !(line.DayMask & (1u << WeekdayOf(startDay.Year, startDay.Month, startDay.Day)))) {
        return false;
    }
    switch (line.Kind) {
        case Persistence::Never: return false;
        case Persistence::WinterOnly: return !InSummerSeason(startDay.Year, startDay.Month, startDay.Day);
        case Persistence::SummerOnly: return InSummerSeason(startDay.Year, startDay.Month, startDay.Day);
        case Persistence::Dated: return InDateRange(line, startDay);
        case Persistence::Always: return true;
    }
    return true;
}

bool ReadNumber(std::string_view text, size_t at, size_t count, int* value) {
    *value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        *value = *value * 10 + (text[i] - '0');
    }
    return true;
}

struct Ranked {
    uint32_t Index;
    int64_t Distance;
    bool Special;
    bool Dated;
};

}  // namespace

int WeekdayOf(int year, int month, int day) {
    static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    int sunday0 = (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
    return (sunday0 + 6) % 7;
}

bool InSummerSeason(int year, int month, int day) {
    int date = month * 100 + day;
    return date >= 300 + LastSunday(year, 3) && date < 1000 + LastSunday(year, 10);
}

bool OnAirAt(const ScheduleLine& line, const ScheduleTime& when) {
    int minute = when.Hour * 60 + when.Minute;
    int start = line.StartMinute, end = line.EndMinute;
    if (start == end) return minute == start && DayAdmitted(line, when);
    if (start < end) return minute >= start && minute < end && DayAdmitted(line, when);
    if (minute >= start) return DayAdmitted(line, when);
    return minute < end && DayAdmitted(line, DayBefore(when));  // started the day before
}

void FindCandidates(const Schedule& schedule, int64_t milliKhz, int64_t withinMilliKhz, const ScheduleTime& when,
                    std::vector<uint32_t>* candidates) {
    candidates->clear();
    if (withinMilliKhz < 0) return;
    int64_t lowest = milliKhz - withinMilliKhz, highest = milliKhz + withinMilliKhz;
    auto first =
        std::lower_bound(schedule.Lines.begin(), schedule.Lines.end(), lowest,
                         [](const ScheduleLine& line, int64_t key) { return line.Tenths * int64_t{100} < key; });
    std::vector<Ranked> ranked;
    for (auto line = first; line != schedule.Lines.end() && line->Tenths * int64_t{100} <= highest; ++line) {
        if (!OnAirAt(*line, when)) continue;
        int64_t distance = line->Tenths * int64_t{100} - milliKhz;
        bool dated = line->Kind != Persistence::Always;
        ranked.push_back({static_cast<uint32_t>(line - schedule.Lines.begin()), distance < 0 ? -distance : distance,
                          line->SpecialDays, dated});
    }
    auto better = [&](const Ranked& a, const Ranked& b) {
        if (a.Distance != b.Distance) return a.Distance < b.Distance;
        if (a.Special != b.Special) return !a.Special;
        if (a.Dated != b.Dated) return !a.Dated;
        const ScheduleLine& lineA = schedule.Lines[a.Index];
        const ScheduleLine& lineB = schedule.Lines[b.Index];
        int names = LineField(schedule, lineA, kFieldStation).compare(LineField(schedule, lineB, kFieldStation));
        if (names != 0) return names < 0;
        return lineA.LineNumber < lineB.LineNumber;
    };
    std::sort(ranked.begin(), ranked.end(), better);
    for (const Ranked& entry : ranked) candidates->push_back(entry.Index);
}

void LookUpCandidates(const Schedule& schedule, std::string_view frequencyText, int withinKhz, const ScheduleTime& when,
                      std::vector<uint32_t>* candidates) {
    int64_t milliKhz = 0;
    candidates->clear();
    if (!ParseKhz(frequencyText, &milliKhz)) return;
    FindCandidates(schedule, milliKhz, int64_t{withinKhz} * 1000, when, candidates);
}

bool ParseScheduleTime(std::string_view text, ScheduleTime* when) {
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':') return false;
    ScheduleTime read;
    if (!ReadNumber(text, 0, 4, &read.Year) || !ReadNumber(text, 5, 2, &read.Month) ||
        !ReadNumber(text, 8, 2, &read.Day) || !ReadNumber(text, 11, 2, &read.Hour) ||
        !ReadNumber(text, 14, 2, &read.Minute)) {
        return false;
    }
    if (read.Year < 1 || read.Month < 1 || read.Month > 12 || read.Day < 1 ||
        read.Day > DaysInMonth(read.Year, read.Month) || read.Hour > 23 || read.Minute > 59) {
        return false;
    }
    *when = read;
    return true;
}

bool ParseClockTime(std::string_view date, std::string_view time, ScheduleTime* when) {
    if (date.size() != 10 || date[2] != '-' || date[5] != '-') return false;
    std::string iso;
    iso.append(date.substr(6, 4)).append("-").append(date.substr(3, 2)).append("-").append(date.substr(0, 2));
    iso.append("T").append(time);
    return ParseScheduleTime(iso, when);
}
