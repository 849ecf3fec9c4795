#include "exchange/adif_values.h"

#include <algorithm>

#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return !text.empty();
}

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

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

}  // namespace

bool AdifDateToLog(std::string_view text, char (&date)[10]) {
    text = Trimmed(text);
    if (text.size() != 8 || !AllDigits(text)) return false;
    if (!IsCalendarDate(Number(text.substr(0, 4)), Number(text.substr(4, 2)), Number(text.substr(6, 2)))) {
        return false;
    }
    const char made[10] = {text[6], text[7], '-', text[4], text[5], '-', text[0], text[1], text[2], text[3]};
    for (size_t i = 0; i < 10; ++i) date[i] = made[i];
    return true;
}

bool AdifTimeToLog(std::string_view text, char (&time)[5]) {
    text = Trimmed(text);
    if ((text.size() != 4 && text.size() != 6) || !AllDigits(text)) return false;
    if (Number(text.substr(0, 2)) > 23 || Number(text.substr(2, 2)) > 59) return false;
    if (text.size() == 6 && Number(text.substr(4, 2)) > 59) return false;
    const char made[5] = {text[0], text[1], ':', text[2], text[3]};
    for (size_t i = 0; i < 5; ++i) time[i] = made[i];
    return true;
}

bool MegahertzToKhz(std::string_view megahertz, size_t width, std::string* khz) {
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
    std::string fraction(value.Fraction);
    if (fraction.size() < 3) fraction.append(3 - fraction.size(), '0');
    std::string whole = std::string(value.Whole) + fraction.substr(0, 3);
    fraction.erase(0, 3);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.empty()) whole = "0";
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (whole.size() + (fraction.empty() ? 0 : fraction.size() + 1) > width) {
        RoundTo(&whole, &fraction, whole.size() + 2 <= width ? width - whole.size() - 1 : 0);
    }
    if (whole.size() > width) return false;
    *khz = fraction.empty() ? whole : whole + "." + fraction;
    return true;
}
