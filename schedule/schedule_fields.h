// Reading the single fields of a schedule line. Each reader says whether the
// text has the field's form; none of them reads past the view it is given.
#pragma once
#include <cstdint>
#include <string_view>

// A decimal number of kHz with up to three decimals ("9410", "10100.8",
// "6070,5"), as thousandths of a kHz. Blanks around it are allowed.
bool ParseKhz(std::string_view text, int64_t* milliKhz);

// "HHMM-HHMM": minutes of the day; the start 0..1439, the end 0..1440 (2400).
bool ParseTimeSpan(std::string_view text, uint16_t* startMinute, uint16_t* endMinute);

// The days field: plain days as a mask (bit 0 Monday .. bit 6 Sunday; empty
// means every day), or a special code, for which the mask says nothing.
struct DaysForm {
    bool Special = false;
    uint8_t Mask = 0;
};
DaysForm ParseDays(std::string_view text);

// "DDMM" (a "[MMYY]" suffix ignored) as month * 100 + day; empty gives 0 (open).
bool ParseDayMonth(std::string_view text, uint16_t* monthDay);

// The persistence field's number with 90 taken off any value of 90 or more;
// -1 when the field is not a number.
int PersistenceNumber(std::string_view text);
