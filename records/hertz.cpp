#include "records/hertz.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of `text` from `start`, or npos when there are none.
size_t DigitsEnd(std::string_view text, size_t start) {
    size_t end = start;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end;
}

}  // namespace

HertzReading ReadHertz(std::string_view text, int64_t* hertz) {
    bool negative = !text.empty() && text[0] == '-';
    size_t start = negative ? 1 : 0;
    size_t wholeEnd = DigitsEnd(text, start);
    if (wholeEnd == start) return HertzReading::NotANumber;
    bool roundUp = false;
    if (wholeEnd < text.size()) {
        if (text[wholeEnd] != '.') return HertzReading::NotANumber;
        size_t fractionEnd = DigitsEnd(text, wholeEnd + 1);
        if (fractionEnd == wholeEnd + 1 || fractionEnd != text.size()) return HertzReading::NotANumber;
        roundUp = text[wholeEnd + 1] >= '5';
    }
    // Leading zeros aside, more than ten digits is beyond any frequency, and
    // stopping there keeps the sum far from overflowing.
    int64_t whole = 0;
    for (size_t i = start; i < wholeEnd; ++i) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > kHighestHertz * 10) return HertzReading::OutOfRange;
    }
    whole += roundUp ? 1 : 0;
    if (negative || whole < 1 || whole > kHighestHertz) return HertzReading::OutOfRange;
    *hertz = whole;
    return HertzReading::Frequency;
}

int64_t WholeKhz(int64_t hertz) { return (hertz + 500) / 1000; }

std::string FreqTextOfHertz(int64_t hertz) { return std::to_string(WholeKhz(hertz)); }
