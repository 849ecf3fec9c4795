// The "start at entry" reader over arbitrary typed text: the start is always a
// real entry number or the one past any entry, never below 1, and it agrees
// with the leading number it read.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "print/start_number.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    double number = ReadLeadingNumber(text);
    Require(!std::isnan(number));
    int64_t start = ReadStartNumber(text);
    Require(start >= 1 && start <= kBeyondAnyEntry);
    double rounded = RoundHalfEven(number);
    if (rounded < 1.0)
        Require(start == 1);
    else if (rounded >= static_cast<double>(kBeyondAnyEntry))
        Require(start == kBeyondAnyEntry);
    else
        Require(static_cast<double>(start) == rounded);
    // Text that does not begin with a digit, sign or point after the blanks reads as 0.
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || std::string("0123456789+-.").find(text[first]) == std::string::npos) {
        Require(number == 0.0 && start == 1);
    }
    // What follows the number never changes it.
    std::string longer = text + "x";
    Require(ReadStartNumber(longer) == start && ReadLeadingNumber(longer) == number);
    return 0;
}
