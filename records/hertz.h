// A receiver reports its frequency in Hz; the log's Freq holds kHz. A
// broadcaster's channel is a whole kHz, and a few hundred Hz off is the
// listener's fine tuning, so the log takes the whole kHz, rounded half up.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The highest Hz whose whole kHz (999999) still fits the six bytes of Freq.
constexpr int64_t kHighestHertz = 999999499;

enum class HertzReading {
    Frequency,   // 1 .. kHighestHertz Hz, once rounded to whole Hz
    OutOfRange,  // a number, but 0, negative or above kHighestHertz
    NotANumber,  // anything else: letters, exponents, blanks, an empty text
};

// Reads a receiver's frequency text: digits, optionally a leading '-' and a
// '.' with more digits; decimals are rounded half up to whole Hz. `hertz`
// is set only for a Frequency.
HertzReading ReadHertz(std::string_view text, int64_t* hertz);

// Whole kHz of a frequency, rounded half up: 9409500 Hz is 9410 kHz.
int64_t WholeKhz(int64_t hertz);

// The Freq text of a frequency as the logging window's box shows it: the
// digits of its whole kHz ("9410").
std::string FreqTextOfHertz(int64_t hertz);
