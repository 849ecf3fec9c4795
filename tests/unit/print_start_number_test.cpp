#include <gtest/gtest.h>

#include <cmath>

#include "print/start_number.h"

TEST(StartNumber, TextWithoutANumberStartsAtEntryOne) {
    EXPECT_EQ(ReadStartNumber(""), 1);
    EXPECT_EQ(ReadStartNumber("0"), 1);
    EXPECT_EQ(ReadStartNumber("abc"), 1);
    EXPECT_EQ(ReadStartNumber("   "), 1);
    EXPECT_EQ(ReadStartNumber("."), 1);
    EXPECT_EQ(ReadStartNumber("-"), 1);
    EXPECT_EQ(ReadStartNumber("x5"), 1);
}

TEST(StartNumber, LeadingBlanksAreSkippedAndTrailingTextIgnored) {
    EXPECT_EQ(ReadStartNumber("  5"), 5);
    EXPECT_EQ(ReadStartNumber("5xyz"), 5);
    EXPECT_EQ(ReadStartNumber("12 34"), 12);
    EXPECT_EQ(ReadStartNumber("7,5"), 7);
    EXPECT_EQ(ReadStartNumber("+8"), 8);
    EXPECT_EQ(ReadStartNumber("30e"), 30);  // an exponent without digits is not read
    EXPECT_EQ(ReadStartNumber("3e1"), 30);
    EXPECT_EQ(ReadStartNumber("4.e0x"), 4);
}

TEST(StartNumber, FractionsRoundHalfToEven) {
    EXPECT_EQ(ReadStartNumber("2.5"), 2);
    EXPECT_EQ(ReadStartNumber("2.7"), 3);
    EXPECT_EQ(ReadStartNumber("3.5"), 4);
    EXPECT_EQ(ReadStartNumber("4.49"), 4);
    EXPECT_EQ(ReadStartNumber(".5"), 1);  // rounds to 0, which means entry 1
    EXPECT_EQ(ReadStartNumber("1.5"), 2);
}

TEST(StartNumber, NumbersBelowOneStartAtEntryOne) {
    EXPECT_EQ(ReadStartNumber("-5"), 1);
    EXPECT_EQ(ReadStartNumber("-0.4"), 1);
    EXPECT_EQ(ReadStartNumber("-1e309"), 1);
}

TEST(StartNumber, NumbersTooLargeForAnEntryOutputNothing) {
    EXPECT_EQ(ReadStartNumber("99999999999"), kBeyondAnyEntry);
    EXPECT_EQ(ReadStartNumber("1e309"), kBeyondAnyEntry);
    EXPECT_EQ(ReadStartNumber("2147483648"), kBeyondAnyEntry);
    EXPECT_EQ(ReadStartNumber("2147483647"), 2147483647);
}

TEST(StartNumber, OnlyDecimalNumbersAreRead) {
    // Forms strtod would take on its own are not numbers typed by a listener.
    EXPECT_EQ(ReadStartNumber("inf"), 1);
    EXPECT_EQ(ReadStartNumber("nan"), 1);
    EXPECT_EQ(ReadStartNumber("0x10"), 1);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("0x10"), 0.0);
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e309")));
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(" \t-2.25kHz"), -2.25);
}
