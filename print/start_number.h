// Reading the "start at entry" text typed in the Print Log window.
#pragma once
#include <cstdint>
#include <string>

// Entry numbers never go beyond this; a start number above it outputs nothing.
constexpr int64_t kBeyondAnyEntry = int64_t{INT32_MAX} + 1;

// The numeric value at the beginning of `text`: leading blanks are skipped and
// reading stops at the first character that cannot continue a number, so text
// that does not begin with a number gives 0. Infinite for numbers too large
// for a double.
double ReadLeadingNumber(const std::string& text);

// Rounds to the nearest whole number, an exact half to the even neighbour.
double RoundHalfEven(double value);

// The first entry number a run outputs: the leading number rounded half to
// even; anything below 1 (empty, 0, negative, not a number) starts at entry 1,
// anything too large for an entry number gives kBeyondAnyEntry.
int64_t ReadStartNumber(const std::string& text);
