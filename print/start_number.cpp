#include "print/start_number.h"

#include <cmath>
#include <cstdlib>

#include "records/text_trim.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(const std::string& text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// Length of the number that starts at `begin`: sign, digits, an optional
// fraction and an optional exponent that has digits of its own. 0 when there
// is no digit in the mantissa.
size_t NumberLength(const std::string& text, size_t begin) {
    size_t at = begin;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    size_t digitsFrom = at;
    at = SkipDigits(text, at);
    size_t wholeDigits = at - digitsFrom;
    size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        size_t fractionFrom = at + 1;
        size_t fractionEnd = SkipDigits(text, fractionFrom);
        fractionDigits = fractionEnd - fractionFrom;
        if (wholeDigits + fractionDigits > 0) at = fractionEnd;
    }
    if (wholeDigits + fractionDigits == 0) return 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) at = exponentEnd;
    }
    return at - begin;
}

}  // namespace

double ReadLeadingNumber(const std::string& text) {
    size_t begin = text.size() - TrimmedStart(text, kBlankOrTab).size();
    size_t length = NumberLength(text, begin);
    if (length == 0) return 0.0;
    // strtod sees only the part already checked, so "inf", "nan" or hex
    // forms never get through; it overflows to infinity on its own.
    std::string number = text.substr(begin, length);
    return std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value) {
    // nearbyint rounds exact halves to the even neighbour in the default mode.
    return std::nearbyint(value);
}

int64_t ReadStartNumber(const std::string& text) {
    double rounded = RoundHalfEven(ReadLeadingNumber(text));
    if (!(rounded >= 1.0)) return 1;
    if (rounded >= static_cast<double>(kBeyondAnyEntry)) return kBeyondAnyEntry;
    return static_cast<int64_t>(rounded);
}
