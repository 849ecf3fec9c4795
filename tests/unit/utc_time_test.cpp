// The one UTC reading: the logging clock and the dated backups take the same
// type and the same reader, so one reading gives the same minute to both.
#include "platform/utc_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <type_traits>

#include "backup/backup.h"
#include "backup/generations.h"
#include "logging/utc_clock.h"

namespace {

static_assert(std::is_same<decltype(Generation::Made), UtcTime>::value, "generations keep the program's UtcTime");
static_assert(std::is_same<decltype(BackupRequest::Now), UtcTime>::value, "the backup is stamped with it");

TEST(UtcTime, OneSetOfDefaultsForEveryUser) {
    UtcTime plain;
    Generation generation;
    BackupRequest request;
    for (const UtcTime& time : {plain, generation.Made, request.Now}) {
        EXPECT_EQ(time.Year, 1970);
        EXPECT_EQ(time.Month, 1);
        EXPECT_EQ(time.Day, 1);
        EXPECT_EQ(time.Hour, 0);
        EXPECT_EQ(time.Minute, 0);
        EXPECT_EQ(time.Second, 0);
    }
    // Both users read the same default as the same day.
    EXPECT_EQ(WorkingDate(plain), "01-01-1970");
    EXPECT_EQ(TimeText(plain), "00:00");
    EXPECT_EQ(GenerationFileName("MYLOG.ULM", 1, generation.Made), "MYLOG-000001-19700101-000000Z.ULM");
}

TEST(UtcTime, OneReadingGivesTheSameMinuteToClockAndBackup) {
    UtcTime now{2026, 12, 7, 19, 45, 12};
    EXPECT_EQ(WorkingDate(now) + " " + TimeText(now), "07-12-2026 19:45");
    EXPECT_EQ(GenerationFileName("MYLOG.ULM", 7, now), "MYLOG-000007-20261207-194512Z.ULM");
}

std::time_t SecondsOf(const UtcTime& time) {
    std::tm parts{};
    parts.tm_year = time.Year - 1900;
    parts.tm_mon = time.Month - 1;
    parts.tm_mday = time.Day;
    parts.tm_hour = time.Hour;
    parts.tm_min = time.Minute;
    parts.tm_sec = time.Second;
    return timegm(&parts);
}

TEST(UtcTime, ReaderFollowsTheSystemClockInUtc) {
    std::time_t before = std::time(nullptr);
    UtcTime now = UtcNow();
    std::time_t after = std::time(nullptr);
    std::time_t read = SecondsOf(now);
    EXPECT_LE(before, read);
    EXPECT_LE(read, after);
    EXPECT_GE(now.Month, 1);
    EXPECT_LE(now.Month, 12);
}

}  // namespace
