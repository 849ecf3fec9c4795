// The on-air rule: which schedule lines may be heard on a frequency at a UTC
// minute, best first.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "schedule/schedule.h"

// A UTC minute, as the logging clock reads it.
struct ScheduleTime {
    int Year = 2000;
    int Month = 1;   // 1..12
    int Day = 1;     // 1..31
    int Hour = 0;    // 0..23
    int Minute = 0;  // 0..59
};

// True when `line` is on air at `when`, whatever its frequency: its time span
// covers the minute, and its days and persistence admit the day it started on.
bool OnAirAt(const ScheduleLine& line, const ScheduleTime& when);

// The lines within `withinMilliKhz` of `milliKhz` on air at `when`, as indexes
// into schedule.Lines, best first: exact frequency before near ones, nearer
// first; plain days before special codes; undated before dated (P 4, 5, 6);
// by station name, comparing bytes; in file order.
void FindCandidates(const Schedule& schedule, int64_t milliKhz, int64_t withinMilliKhz, const ScheduleTime& when,
                    std::vector<uint32_t>* candidates);

// The same for a frequency as typed (see ParseKhz) and a tolerance in whole
// kHz; no candidate when the text is not a frequency. The logging window
// calls this at every change of the Frequency box and every clock minute.
void LookUpCandidates(const Schedule& schedule, std::string_view frequencyText, int withinKhz, const ScheduleTime& when,
                      std::vector<uint32_t>* candidates);

// Calendar helpers, exposed for the tests: weekday 0 = Monday.
int WeekdayOf(int year, int month, int day);
// True when the date lies in an A (summer) season: from the last Sunday of
// March up to the day before the last Sunday of October.
bool InSummerSeason(int year, int month, int day);
// Parses "YYYY-MM-DDTHH:MM" (a real date and time).
bool ParseScheduleTime(std::string_view text, ScheduleTime* when);
// The minute the logging clock shows, from its "DD-MM-YYYY" date and "HH:MM"
// time texts (the ones that stamp a report); false before its first tick.
bool ParseClockTime(std::string_view date, std::string_view time, ScheduleTime* when);
