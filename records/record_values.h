// Reading the values of a record the way the report filter, the bulletin and
// the import need them: calendar dates, times and frequencies as numbers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#ifdef _MSC_VER
#include <stdlib.h>
#endif

// DateOrderKey, FreqWord and ReadPlainKhzKey load several characters as one
// word and rely on the first character landing in the lowest byte.
#if defined(_MSC_VER)
constexpr bool kLittleEndian = true;  // every Windows target is little-endian
#else
constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
#endif
static_assert(kLittleEndian, "the word-at-a-time record readers need a little-endian processor");

inline uint64_t ByteSwapped(uint64_t word) {
#ifdef _MSC_VER
    return _byteswap_uint64(word);
#else
    return __builtin_bswap64(word);
#endif
}

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
    // Three loads; byte-swapped (little-endian: see kLittleEndian), the first
    // character of each part is its most significant byte.
    uint32_t year = 0;
    uint16_t month = 0, day = 0;
    std::memcpy(&year, text + 6, 4);
    std::memcpy(&month, text + 3, 2);
    std::memcpy(&day, text, 2);
    return ByteSwapped(year) | ByteSwapped(month) >> 32 | ByteSwapped(day) >> 48;
}

// Hours and minutes of a valid time; hours 0..23, minutes 0..59.
struct TimeOfDay {
    int Hour = 0;
    int Minute = 0;
};
// A text of exactly five characters HH:MM.
bool ReadColonTime(const char* text, size_t length, TimeOfDay* time);

// A number in kHz: with its blanks trimmed, digits, optionally followed by one
// '.' and more digits. Held as its digits, so values compare exactly however
// long the text: the whole part without leading zeros ("" is zero), the
// fraction without trailing zeros.
struct DecimalView {
    std::string_view Whole;
    std::string_view Fraction;
};
// The view looks into `text`.
bool ReadDecimal(const char* text, size_t length, DecimalView* value);
// Below zero, zero or above zero as `a` is below, equal to or above `b`.
int CompareDecimal(DecimalView a, DecimalView b);

// The six bytes of a Freq as one word, the first byte lowest (see
// kLittleEndian). Two loads, not one copy into a cleared word, which would
// stall reading back what was stored.
inline uint64_t FreqWord(const char (&freq)[6]) {
    uint32_t low = 0;
    uint16_t high = 0;
    std::memcpy(&low, freq, 4);
    std::memcpy(&high, freq + 4, 2);
    return low | static_cast<uint64_t>(high) << 32;
}

// The six bytes as one number that orders as the texts do, byte by byte.
inline uint64_t FreqTextKey(uint64_t freqWord) { return ByteSwapped(freqWord) >> 16; }

// The common Freq read quickly: digits from its first byte on, then only
// blanks ("9660  "). Its key orders as the whole kHz values do: the digits as
// the digits of a number in base 256, so "0960" and "960" have one key. False
// for any other form, which then needs ReadTenThousandths. All six bytes are
// looked at together, as one word, because the report filter reads the Freq
// of every entry of a log.
inline bool ReadPlainKhzKey(const char (&freq)[6], uint64_t* key) {
    constexpr uint64_t kSixBytes = 0x0000808080808080ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kBlanks = 0x0000202020202020ULL;
    uint64_t word = FreqWord(freq);
    uint64_t digits = word ^ 0x303030303030ULL;  // a digit becomes its value, 0..9
    // High bit of a byte set: not a digit (its value 10 or more).
    uint64_t notDigit = (((digits & kLow7) + 0x7676767676767676ULL) | digits) & kSixBytes;
    uint64_t digitBytes = (~notDigit & kSixBytes) >> 7;  // 1 in each byte holding a digit
    uint64_t digitMask = digitBytes * 0xFF;
    bool plain = (digitBytes & 1) != 0 && (digitMask & (digitMask + 1)) == 0 &&  // digits first,
                 (word & ~digitMask) == (kBlanks & ~digitMask);                  // then blanks
    if (!plain) return false;
    uint64_t length = (digitBytes * 0x0101010101010101ULL) >> 56;
    *key = ByteSwapped(digits & digitMask) >> (64 - 8 * length);
    return true;
}
// The key ReadPlainKhzKey gives the digits of `khz` (0..999999).
uint64_t KhzKeyOf(int64_t khz);

// The value × 10000 of a number, exact when the number has at most four
// decimals and fourteen whole digits (every Freq field has): then Fits.
enum class ScaledNumber { NotANumber, Fits, TooLong };
ScaledNumber ReadTenThousandths(const char* text, size_t length, int64_t* value);
// A bound × 10000 rounded so that whole ten-thousandths compare with it as
// with the bound itself: up for a lower bound, down for an upper one.
int64_t BoundTenThousandths(DecimalView bound, bool lower);

// A number kept beyond the text it was read from.
struct DecimalValue {
    std::string Whole;
    std::string Fraction;
};
DecimalValue KeptDecimal(DecimalView view);
DecimalView ViewOf(const DecimalValue& value);
