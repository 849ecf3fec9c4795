// Reading the values of a record the way the report filter, the bulletin and
// the import need them: calendar dates, times and frequencies as numbers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A calendar date as one number that orders like the dates: year × 10000 +
// month × 100 + day.
using DateKey = int32_t;
constexpr DateKey kNoDate = 0;

bool IsCalendarDate(int year, int month, int day);
// The key of a text of exactly ten characters DD-MM-YYYY naming a real day of
// the calendar, kNoDate for anything else.
DateKey ReadDashedDate(const char* text, size_t length);

// Hours and minutes of a valid time; hours 0..23, minutes 0..59.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
};
// A text of exactly five characters HH:MM.
bool ReadColonTime(const char* text, size_t length, TimeOfDay* time);

// A number in kHz: with its blanks trimmed, digits, optionally followed by one
// '.' and more digits. Held as its digits, so values compare exactly however
// long the text.
struct DecimalValue {
    std::string whole;     // without leading zeros: "" is zero
    std::string fraction;  // without trailing zeros
};
bool ReadDecimal(const char* text, size_t length, DecimalValue* value);
// Below zero, zero or above zero as `a` is below, equal to or above `b`.
int CompareDecimal(const DecimalValue& a, const DecimalValue& b);

// The blanks at either end of a text left out.
void TrimBlanks(const char** text, size_t* length);
