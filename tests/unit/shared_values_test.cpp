#include <gtest/gtest.h>

#include "app/main_layout.h"
#include "records/record_texts.h"
#include "ui/scale.h"

namespace {

TEST(SharedValues, MonthNamesBothKindsAndOutOfRange) {
    EXPECT_STREQ(MonthName(kMonthShort, 1), "Jan");
    EXPECT_STREQ(MonthName(kMonthShort, 12), "Dec");
    EXPECT_STREQ(MonthName(kMonthFull, 2), "Febuary");
    EXPECT_STREQ(MonthName(kMonthFull, 9), "September");
    EXPECT_STREQ(MonthName(kMonthShort, 0), "");
    EXPECT_STREQ(MonthName(kMonthFull, 13), "");
}

TEST(SharedValues, ScaleFactorAndRounding) {
    EXPECT_FLOAT_EQ(ComputeScaleFactor(480), 1.0f);
    float s600 = ComputeScaleFactor(600);
    EXPECT_EQ(s600, 1.25f);
    EXPECT_EQ(Scaled(420, s600), 525);
    EXPECT_EQ(Scaled(110, s600), 138);  // 137.5 rounds to the even 138
    EXPECT_EQ(Scaled(30, s600), 38);    // 37.5 rounds to 38
    EXPECT_EQ(Scaled(38, s600), 48);    // 47.5 rounds to 48
    EXPECT_EQ(Scaled(50, s600), 62);    // 62.5 rounds to the even 62
    EXPECT_EQ(Scaled(75, ComputeScaleFactor(768)), 120);
}

TEST(MainLayout, TitleHasSixtyBlanks) {
    EXPECT_EQ(MainWindowTitle("C:\\Logs\\A.ULM"), "ULMAR v1.01" + std::string(60, ' ') + "C:\\Logs\\A.ULM");
}

TEST(MainLayout, ButtonPositionsAccumulate) {
    ButtonRow at480 = MainButtonPositions(1.0f);
    EXPECT_EQ(at480.X[0], 110);
    EXPECT_EQ(at480.X[1], 162);
    EXPECT_EQ(at480.X[2], 214);
    EXPECT_EQ(at480.X[3], 266);
    ButtonRow at768 = MainButtonPositions(ComputeScaleFactor(768));
    EXPECT_EQ(at768.X[0], 176);
    EXPECT_EQ(at768.X[1], 259);  // 176 + 83.2
    EXPECT_EQ(at768.X[2], 342);
    EXPECT_EQ(at768.X[3], 425);
}

}  // namespace
