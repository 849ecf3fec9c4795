#include "exchange/adif_values.h"

#include <algorithm>

#include "records/byte_words.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return !text.empty();
}

// Eight digits, tested at once: the length of a date.
bool EightDigits(std::string_view text) {
    return text.size() == sizeof(uint64_t) && BytesWithin(WordAt(text.data()), '0', '9') == kHighBits;
}

// The two digits at `at` as a number.
int TwoDigits(std::string_view digits, size_t at) { return (digits[at] - '0') * 10 + (digits[at + 1] - '0'); }

// Rounds the digits `whole`.`fraction` half up to `keep` decimals.
void RoundTo(std::string* whole, std::string* fraction, size_t keep) {
    bool up = fraction->size() > keep && (*fraction)[keep] >= '5';
    fraction->resize(std::min(fraction->size(), keep));
    for (size_t i = fraction->size(); up && i > 0; --i) {
        char& digit = (*fraction)[i - 1];
        up = digit == '9';
        digit = up ? '0' : static_cast<char>(digit + 1);
    }
    for (size_t i = whole->size(); up && i > 0; --i) {
        char& digit = (*whole)[i - 1];
        up = digit == '9';
        digit = up ? '0' : static_cast<char>(digit + 1);
    }
    if (up) whole->insert(0, 1, '1');
    while (!fraction->empty() && fraction->back() == '0') fraction->pop_back();
}

// The kHz `whole`.`fraction` rounded to fit `width` characters; false when
// the whole kHz do not fit.
bool RoundedKhz(std::string whole, std::string fraction, char* khz, size_t width) {
    RoundTo(&whole, &fraction, whole.size() + 2 <= width ? width - whole.size() - 1 : 0);
    if (whole.size() > width) return false;
    std::string made = fraction.empty() ? whole : whole + "." + fraction;
    std::fill(std::copy(made.begin(), made.end(), khz), khz + width, ' ');
    return true;
}

}  // namespace

bool AdifDateToLog(std::string_view text, char (&date)[10]) {
    if (!EightDigits(text)) {  // mostly there is nothing to trim
        text = Trimmed(text);
        if (!EightDigits(text)) return false;
    }
    if (!IsCalendarDate(TwoDigits(text, 0) * 100 + TwoDigits(text, 2), TwoDigits(text, 4), TwoDigits(text, 6))) {
        return false;
    }
    const char made[10] = {text[6], text[7], '-', text[4], text[5], '-', text[0], text[1], text[2], text[3]};
    for (size_t i = 0; i < 10; ++i) date[i] = made[i];
    return true;
}

bool AdifTimeToLog(std::string_view text, char (&time)[5]) {
    if (!AllDigits(text)) {
        text = Trimmed(text);
        if (!AllDigits(text)) return false;
    }
    if (text.size() != 4 && text.size() != 6) return false;
    if (TwoDigits(text, 0) > 23 || TwoDigits(text, 2) > 59) return false;
    if (text.size() == 6 && TwoDigits(text, 4) > 59) return false;
    const char made[5] = {text[0], text[1], ':', text[2], text[3]};
    for (size_t i = 0; i < 5; ++i) time[i] = made[i];
    return true;
}

bool MegahertzToKhz(std::string_view megahertz, char* khz, size_t width) {
    std::string_view text = Trimmed(megahertz);
    std::string pointed;  // a decimal comma read as the point, only when the text has one
    size_t comma = text.find(',');
    if (comma != std::string_view::npos && text.find('.') == std::string_view::npos) {
        pointed.assign(text.data(), text.size());
        pointed[comma] = '.';
        text = pointed;
    }
    DecimalView value;
    if (!ReadDecimal(text.data(), text.size(), &value)) return false;
    // The whole kHz are the MHz digits and the first three decimals; the rest
    // (no trailing zeros, as read) follows the point.
    char thousandths[3] = {'0', '0', '0'};
    size_t taken = std::min(value.Fraction.size(), sizeof thousandths);
    std::copy_n(value.Fraction.data(), taken, thousandths);
    std::string_view rest = value.Fraction.substr(taken);
    std::string_view low(thousandths, sizeof thousandths);
    if (value.Whole.empty()) {  // below 1 MHz: no leading zeros, but at least "0"
        low.remove_prefix(std::min(low.find_first_not_of('0'), low.size() - 1));
    }
    size_t length = value.Whole.size() + low.size() + (rest.empty() ? 0 : rest.size() + 1);
    if (length > width) return RoundedKhz(std::string(value.Whole).append(low), std::string(rest), khz, width);
    char* made = std::copy(value.Whole.begin(), value.Whole.end(), khz);
    made = std::copy(low.begin(), low.end(), made);
    if (!rest.empty()) *made++ = '.';
    made = std::copy(rest.begin(), rest.end(), made);
    std::fill(made, khz + width, ' ');
    return true;
}
