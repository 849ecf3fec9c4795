// Reading the values of a record the way the report filter, the bulletin and
// the import need them: calendar dates, times and frequencies as numbers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A calendar date as one number that orders like the dates: year × 10000 +
// month × 100 + day.
using DateKey = int32_t;
constexpr DateKey kNoDate = 0;

bool IsCalendarDate(int year, int month, int day);
// The key of a text of exactly ten characters DD-MM-YYYY naming a real day of
// the calendar, kNoDate for anything else.
DateKey ReadDashedDate(const char* text, size_t length);
// The year, month and day characters of ten DD-MM-YYYY characters, in that
// order, as one number. For valid dates it orders as the dates do; nothing
// is checked, so it is a quick first look when most dates fall outside a
// range, and ReadDashedDate decides for those within.
inline uint64_t DateOrderKey(const char* text) {
    auto byte = [text](int at) { return static_cast<uint64_t>(static_cast<unsigned char>(text[at])); };
    return byte(6) << 56 | byte(7) << 48 | byte(8) << 40 | byte(9) << 32 | byte(3) << 24 | byte(4) << 16 |
           byte(0) << 8 | byte(1);
}

// Hours and minutes of a valid time; hours 0..23, minutes 0..59.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
};
// A text of exactly five characters HH:MM.
bool ReadColonTime(const char* text, size_t length, TimeOfDay* time);

// A number in kHz: with its blanks trimmed, digits, optionally followed by one
// '.' and more digits. Held as its digits, so values compare exactly however
// long the text: the whole part without leading zeros ("" is zero), the
// fraction without trailing zeros.
struct DecimalView {
    std::string_view whole;
    std::string_view fraction;
};
// The view looks into `text`.
bool ReadDecimal(const char* text, size_t length, DecimalView* value);
// Below zero, zero or above zero as `a` is below, equal to or above `b`.
int CompareDecimal(DecimalView a, DecimalView b);

// The value × 10000 of a number, exact when the number has at most four
// decimals and fourteen whole digits (every Freq field has): then Fits.
enum class ScaledNumber { NotANumber, Fits, TooLong };
ScaledNumber ReadTenThousandths(const char* text, size_t length, int64_t* value);
// A bound × 10000 rounded so that whole ten-thousandths compare with it as
// with the bound itself: up for a lower bound, down for an upper one.
int64_t BoundTenThousandths(DecimalView bound, bool lower);

// A number kept beyond the text it was read from.
struct DecimalValue {
    std::string whole;
    std::string fraction;
};
DecimalValue KeptDecimal(DecimalView view);
DecimalView ViewOf(const DecimalValue& value);

// The blanks at either end of a text left out.
void TrimBlanks(const char** text, size_t* length);
