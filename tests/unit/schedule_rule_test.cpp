// The on-air rule on hand-made lines: days, times, persistence, frequency,
// and the order of the candidates. The week of 15-21 June 2026 runs Monday
// to Sunday; in 2026 the A season runs from 29 March to 24 October.
#include <gtest/gtest.h>

#include <utility>

#include "schedule/schedule_fields.h"
#include "tests/unit/schedule_lines.h"

namespace {

const char* const kWeek[7] = {"2026-06-15T12:00", "2026-06-16T12:00", "2026-06-17T12:00", "2026-06-18T12:00",
                              "2026-06-19T12:00", "2026-06-20T12:00", "2026-06-21T12:00"};

// The days of that week on which a daily-timed line with `days` is offered: "MTWtFSs" letters or "-".
std::string DaysOnAir(const std::string& days) {
    std::string result;
    for (int day = 0; day < 7; ++day) {
        result += LineOnAir(SkedLine("9410", "1100-1300", days, "X"), kWeek[day]) ? "MTWtFSs"[day] : '-';
    }
    return result;
}

TEST(ScheduleDays, PlainFormsApplyToExactlyTheirDays) {
    EXPECT_EQ(DaysOnAir(""), "MTWtFSs");
    EXPECT_EQ(DaysOnAir("1245"), "MT-tF--");
    EXPECT_EQ(DaysOnAir("7"), "------s");
    EXPECT_EQ(DaysOnAir("1234567"), "MTWtFSs");
    EXPECT_EQ(DaysOnAir("Sa"), "-----S-");
    EXPECT_EQ(DaysOnAir("SaSu"), "-----Ss");
    EXPECT_EQ(DaysOnAir("MoWeFr"), "M-W-F--");
    EXPECT_EQ(DaysOnAir("Tu,Fr"), "-T--F--");
    EXPECT_EQ(DaysOnAir("Mo-Fr"), "MTWtF--");
    EXPECT_EQ(DaysOnAir("Th-Th"), "---t---");
    EXPECT_EQ(DaysOnAir("Mo-We,Sa"), "MTW--S-");
    EXPECT_EQ(DaysOnAir("SaSu,We"), "--W--Ss");
}

TEST(ScheduleDays, RangesWrapPastSunday) {
    EXPECT_EQ(DaysOnAir("We-Mo"), "M-WtFSs");
    EXPECT_EQ(DaysOnAir("Sa-Th"), "MTWt-Ss");
    EXPECT_EQ(DaysOnAir("Su-Tu"), "MT----s");
}

TEST(ScheduleDays, SpecialCodesAreOfferedEveryDayAndMarked) {
    for (const char* code :
         {"1.Sa", "1WeFr", "alt", "altFr", "harm", "imod", "irr", "Haj",    "Ram", "MF-15", "tent",
          "test", "15Sep", "LSB", "USB",   "mo",   "Mo-",  "Mo,", "Mo-Fr-", "0",   "128",   "Mo Tu"}) {
        EXPECT_EQ(DaysOnAir(code), "MTWtFSs") << code;
        Schedule schedule = SkedOf({SkedLine("9410", "1100-1300", code, "X")});
        ASSERT_EQ(schedule.Lines.size(), 1u) << code;
        EXPECT_TRUE(schedule.Lines[0].SpecialDays) << code;
    }
    Schedule plain = SkedOf({SkedLine("9410", "1100-1300", "Mo-Fr", "X")});
    EXPECT_FALSE(plain.Lines[0].SpecialDays);
}

TEST(ScheduleDays, SpecialCodesStillNeedTheirTime) {
    EXPECT_TRUE(LineOnAir(SkedLine("9410", "1100-1300", "irr", "X"), "2026-06-17T11:00"));
    EXPECT_FALSE(LineOnAir(SkedLine("9410", "1100-1300", "irr", "X"), "2026-06-17T13:00"));
}

TEST(ScheduleTime, StartInclusiveEndExclusive) {
    std::string line = SkedLine("9410", "0600-0700", "", "X");
    EXPECT_FALSE(LineOnAir(line, "2026-06-15T05:59"));
    EXPECT_TRUE(LineOnAir(line, "2026-06-15T06:00"));
    EXPECT_TRUE(LineOnAir(line, "2026-06-15T06:59"));
    EXPECT_FALSE(LineOnAir(line, "2026-06-15T07:00"));
}

TEST(ScheduleTime, TwentyFourHundredIsTheEndOfTheDay) {
    std::string late = SkedLine("9410", "2200-2400", "Mo", "X");
    EXPECT_TRUE(LineOnAir(late, "2026-06-15T23:59"));
    EXPECT_FALSE(LineOnAir(late, "2026-06-16T00:00"));
    std::string allDay = SkedLine("9410", "0000-2400", "", "X");
    EXPECT_TRUE(LineOnAir(allDay, "2026-06-15T00:00"));
    EXPECT_TRUE(LineOnAir(allDay, "2026-06-15T23:59"));
}

TEST(ScheduleTime, EqualStartAndEndIsThatOneMinute) {
    std::string line = SkedLine("9410", "1200-1200", "", "X");
    EXPECT_FALSE(LineOnAir(line, "2026-06-15T11:59"));
    EXPECT_TRUE(LineOnAir(line, "2026-06-15T12:00"));
    EXPECT_FALSE(LineOnAir(line, "2026-06-15T12:01"));
}

TEST(ScheduleTime, PastMidnightTheDaysBelongToTheStartingDay) {
    std::string friday = SkedLine("9410", "2300-0100", "Fr", "X");
    EXPECT_TRUE(LineOnAir(friday, "2026-06-19T23:00"));  // Friday
    EXPECT_TRUE(LineOnAir(friday, "2026-06-20T00:59"));  // Saturday, started Friday
    EXPECT_FALSE(LineOnAir(friday, "2026-06-20T01:00"));
    EXPECT_FALSE(LineOnAir(friday, "2026-06-20T23:30"));  // Saturday evening
    EXPECT_FALSE(LineOnAir(friday, "2026-06-19T00:30"));  // Friday morning: started Thursday
    EXPECT_FALSE(LineOnAir(friday, "2026-06-19T22:59"));
    std::string sunday = SkedLine("9410", "2330-0030", "Su", "X");
    EXPECT_TRUE(LineOnAir(sunday, "2026-06-22T00:10"));   // Monday, started Sunday
    EXPECT_FALSE(LineOnAir(sunday, "2026-06-21T00:10"));  // Sunday, started Saturday
    std::string toMidnight = SkedLine("9410", "2300-0000", "", "X");
    EXPECT_TRUE(LineOnAir(toMidnight, "2026-06-15T23:59"));
    EXPECT_FALSE(LineOnAir(toMidnight, "2026-06-16T00:00"));
}

TEST(ScheduleTime, PastMidnightAcrossTheYearAndAMonthEnd) {
    std::string line = SkedLine("9410", "2300-0200", "Th", "X");  // 31 December 2026 is a Thursday
    EXPECT_TRUE(LineOnAir(line, "2027-01-01T01:59"));
    EXPECT_FALSE(LineOnAir(line, "2027-01-02T01:00"));
    std::string leap = SkedLine("9410", "2300-0200", "Th", "X");  // 29 February 2024 is a Thursday
    EXPECT_TRUE(LineOnAir(leap, "2024-03-01T00:30"));
}

TEST(SchedulePersistence, SeasonDatesFollowTheLastSundays) {
    EXPECT_FALSE(InSummerSeason(2026, 3, 28));
    EXPECT_TRUE(InSummerSeason(2026, 3, 29));
    EXPECT_TRUE(InSummerSeason(2026, 10, 24));
    EXPECT_FALSE(InSummerSeason(2026, 10, 25));
    EXPECT_TRUE(InSummerSeason(2027, 10, 30));
    EXPECT_FALSE(InSummerSeason(2027, 10, 31));
    EXPECT_FALSE(InSummerSeason(2025, 3, 29));
    EXPECT_TRUE(InSummerSeason(2025, 3, 30));
}

TEST(SchedulePersistence, SummerAndWinterOnlyOnEachSideOfBothChanges) {
    struct Day {
        const char* Time;
        bool Summer;
    };
    const Day days[] = {{"2026-03-28T10:30", false},
                        {"2026-03-29T10:30", true},
                        {"2026-10-24T10:30", true},
                        {"2026-10-25T10:30", false},
                        {"2027-01-10T10:30", false}};
    for (const Day& day : days) {
        for (const char* p : {"5", "95"})
            EXPECT_EQ(LineOnAir(SkedLine("9410", "1000-1100", "", "X", p), day.Time), day.Summer)
                << p << " " << day.Time;
        for (const char* p : {"4", "94"})
            EXPECT_EQ(LineOnAir(SkedLine("9410", "1000-1100", "", "X", p), day.Time), !day.Summer)
                << p << " " << day.Time;
    }
}

TEST(SchedulePersistence, SeasonIsThatOfTheStartingDay) {
    std::string summer = SkedLine("9410", "2330-0030", "", "X", "5");
    EXPECT_FALSE(LineOnAir(summer, "2026-03-29T00:10"));  // started 28 March, a B day
    EXPECT_TRUE(LineOnAir(summer, "2026-03-30T00:10"));
    EXPECT_TRUE(LineOnAir(summer, "2026-10-25T00:10"));  // started 24 October, an A day
    std::string winter = SkedLine("9410", "2330-0030", "", "X", "4");
    EXPECT_TRUE(LineOnAir(winter, "2026-03-29T00:10"));
    EXPECT_FALSE(LineOnAir(winter, "2026-10-25T00:10"));
}

// "+" for each of `times` at which the line is offered, "-" for the others.
std::string OnAirPattern(const std::string& line, const std::vector<const char*>& times) {
    std::string pattern;
    for (const char* time : times) pattern += LineOnAir(line, time) ? '+' : '-';
    return pattern;
}

TEST(SchedulePersistence, DatedRangeAcrossTheNewYear) {
    EXPECT_EQ(OnAirPattern(SkedLine("9410", "1000-1100", "", "X", "6", "1512", "1501[0212]"),
                           {"2026-12-14T10:30", "2026-12-15T10:30", "2026-12-31T10:30", "2027-01-01T10:30",
                            "2027-01-15T10:30", "2027-01-16T10:30", "2026-06-15T10:30"}),
              "-++++--");
}

TEST(SchedulePersistence, DatedRangeWithinAYearAndOpenBounds) {
    const std::vector<const char*> times = {"2026-01-01T10:30", "2026-03-31T10:30", "2026-04-01T10:30",
                                            "2026-04-30T10:30", "2026-05-01T10:30", "2026-12-31T10:30"};
    EXPECT_EQ(OnAirPattern(SkedLine("9410", "1000-1100", "", "X", "96", "0104", "3004"), times), "--++--");
    EXPECT_EQ(OnAirPattern(SkedLine("9410", "1000-1100", "", "X", "6", "", "3103"), times), "++----");
    EXPECT_EQ(OnAirPattern(SkedLine("9410", "1000-1100", "", "X", "6", "0104", ""), times), "--++++");
    EXPECT_EQ(OnAirPattern(SkedLine("9410", "1000-1100", "", "X", "6"), times), "++++++");
}

TEST(SchedulePersistence, DatedRangeBelongsToTheStartingDay) {
    std::string line = SkedLine("9410", "2300-0100", "", "X", "6", "0106", "1506");
    EXPECT_TRUE(LineOnAir(line, "2026-06-16T00:30"));   // started 15 June
    EXPECT_FALSE(LineOnAir(line, "2026-06-01T00:30"));  // started 31 May
}

TEST(SchedulePersistence, InactiveNeverAndEverythingElseAlways) {
    for (const char* p : {"8", "98"}) {
        EXPECT_FALSE(LineOnAir(SkedLine("9410", "0000-2400", "", "X", p), "2026-06-15T10:30")) << p;
    }
    for (const char* p : {"0", "", "1", "2", "3", "7", "9", "90", "91", "99", "12", "x", "1a"}) {
        EXPECT_TRUE(LineOnAir(SkedLine("9410", "0000-2400", "", "X", p), "2026-06-15T10:30")) << p;
    }
}

TEST(SchedulePersistence, StartAndStopAreInformationOnlyWithoutSix) {
    // Read as MMDD, "0401"-"3112" would look like a range; it is not one for P 1.
    EXPECT_TRUE(LineOnAir(SkedLine("9410", "0000-2400", "", "X", "1", "0401", "3112"), "2026-06-15T10:30"));
    EXPECT_TRUE(LineOnAir(SkedLine("9410", "0000-2400", "", "X", "0", "0101", "0201"), "2026-06-15T10:30"));
    EXPECT_TRUE(LineOnAir(SkedLine("9410", "0000-2400", "", "X", "1", "bad", "worse"), "2026-06-15T10:30"));
}

TEST(ScheduleFrequency, ToleranceIsInclusiveBothSides) {
    Schedule schedule = SkedOf({SkedLine("9405", "0000-2400", "", "Low"), SkedLine("9415", "0000-2400", "", "High"),
                                SkedLine("9415.1", "0000-2400", "", "Beyond")});
    // The same distance on both sides: by name.
    EXPECT_EQ(StationsOnAir(schedule, "9410", 5, "2026-06-15T10:30"), (std::vector<std::string>{"High", "Low"}));
    EXPECT_EQ(StationsOnAir(schedule, "9410", 4, "2026-06-15T10:30"), std::vector<std::string>{});
    EXPECT_EQ(StationsOnAir(schedule, "9415", 0, "2026-06-15T10:30"), std::vector<std::string>{"High"});
}

TEST(ScheduleFrequency, DecimalFrequencies) {
    Schedule schedule =
        SkedOf({SkedLine("10100.8", "0000-2400", "", "Decimal"), SkedLine("10100", "0000-2400", "", "Whole")});
    EXPECT_EQ(StationsOnAir(schedule, "10100.8", 0, "2026-06-15T10:30"), std::vector<std::string>{"Decimal"});
    EXPECT_EQ(StationsOnAir(schedule, "10100,8", 0, "2026-06-15T10:30"), std::vector<std::string>{"Decimal"});
    EXPECT_EQ(StationsOnAir(schedule, "10100.80", 0, "2026-06-15T10:30"), std::vector<std::string>{"Decimal"});
    EXPECT_EQ(StationsOnAir(schedule, "10100", 0, "2026-06-15T10:30"), std::vector<std::string>{"Whole"});
    EXPECT_EQ(StationsOnAir(schedule, "10101", 1, "2026-06-15T10:30"), (std::vector<std::string>{"Decimal", "Whole"}));
    int64_t milli = 0;
    EXPECT_TRUE(ParseKhz(" 6070.5 ", &milli));
    EXPECT_EQ(milli, 6070500);
    for (const char* text : {"", " ", "abc", "9410kHz", "-9410", "9410.1234", ".5", "9 410", "1234567890"}) {
        EXPECT_FALSE(ParseKhz(text, &milli)) << text;
        EXPECT_EQ(StationsOnAir(schedule, text, 5, "2026-06-15T10:30"), std::vector<std::string>{}) << text;
    }
}

TEST(ScheduleRanking, ExactThenNearerThenPlainThenUndatedThenNameThenFileOrder) {
    Schedule schedule = SkedOf({
        SkedLine("9410", "0000-2400", "", "Zulu"),
        SkedLine("9408", "0000-2400", "", "Near2"),
        SkedLine("9410", "0000-2400", "irr", "Aspecial"),
        SkedLine("9410", "0000-2400", "", "Adated", "5"),
        SkedLine("9412", "0000-2400", "", "Near2"),
        SkedLine("9410", "0000-2400", "", "alpha"),
        SkedLine("9410", "0000-2400", "", "Beta"),
        SkedLine("9411", "0000-2400", "", "Near1"),
        SkedLine("9410", "0000-2400", "",
                 "\xC9"
                 "clair"),
        SkedLine("9410", "0000-2400", "", "Beta"),
        SkedLine("9410", "0000-2400", "Mo", "Aspecialdated", "6"),
        SkedLine("9410", "0000-2400", "alt", "Bspecialdated", "5"),
        SkedLine("9410", "0000-2400", "alt", "Aspecialdated", "5"),
    });
    std::vector<uint32_t> found;
    FindCandidates(schedule, 9410000, 5000, UtcAt("2026-06-15T10:30"), &found);
    std::vector<std::string> order;
    for (uint32_t index : found) {
        const ScheduleLine& line = schedule.Lines[index];
        order.push_back(std::string(LineField(schedule, line, kFieldStation)) + "@" + std::to_string(line.LineNumber));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Beta@8", "Beta@11", "Zulu@2", "alpha@7",
                                               "\xC9"
                                               "clair@10",                              // plain, undated, by bytes
                                               "Adated@5", "Aspecialdated@12",          // plain, dated
                                               "Aspecial@4",                            // special, undated
                                               "Aspecialdated@14", "Bspecialdated@13",  // special, dated
                                               "Near1@9", "Near2@3", "Near2@6"}));
}

TEST(ScheduleRanking, LinesOffTheAirAreLeftOut) {
    Schedule schedule =
        SkedOf({SkedLine("9410", "0000-2400", "", "On"), SkedLine("9410", "0000-2400", "", "Off", "8"),
                SkedLine("9410", "1200-1300", "", "Later"), SkedLine("9410", "0000-2400", "Tu", "Tuesday")});
    EXPECT_EQ(StationsOnAir(schedule, "9410", 5, "2026-06-15T10:30"), std::vector<std::string>{"On"});
}

TEST(ScheduleTimeText, OnlyRealDatesAndTimes) {
    ScheduleTime when;
    ASSERT_TRUE(ParseScheduleTime("2024-02-29T23:59", &when));
    EXPECT_EQ(when.Year, 2024);
    EXPECT_EQ(when.Month, 2);
    EXPECT_EQ(when.Day, 29);
    EXPECT_EQ(when.Hour, 23);
    EXPECT_EQ(when.Minute, 59);
    for (const char* text : {"2026-02-29T10:00", "2026-13-01T10:00", "2026-06-15T24:00", "2026-06-15T10:60",
                             "2026-06-15 10:00", "2026-6-15T10:00", "2026-06-15T10:00Z", "", "0000-01-01T00:00"}) {
        EXPECT_FALSE(ParseScheduleTime(text, &when)) << text;
    }
    EXPECT_EQ(WeekdayOf(2026, 6, 15), 0);
    EXPECT_EQ(WeekdayOf(2026, 6, 21), 6);
    EXPECT_EQ(WeekdayOf(2000, 1, 1), 5);
}

TEST(ScheduleTimeText, TheLoggingClocksDateAndMinute) {
    ScheduleTime when;
    ASSERT_TRUE(ParseClockTime("29-02-2024", "23:59", &when));
    EXPECT_EQ(when.Year, 2024);
    EXPECT_EQ(when.Month, 2);
    EXPECT_EQ(when.Day, 29);
    EXPECT_EQ(when.Hour, 23);
    EXPECT_EQ(when.Minute, 59);
    // Before the first tick the clock has no date; texts of another form are no time.
    for (auto [date, time] :
         {std::pair{"", "00:00"}, std::pair{"29-02-2026", "10:00"}, std::pair{"2026-06-15", "10:00"},
          std::pair{"15-06-2026", "1000"}, std::pair{"15/06/2026", "10:00"}}) {
        EXPECT_FALSE(ParseClockTime(date, time, &when)) << date << " " << time;
    }
}

}  // namespace
