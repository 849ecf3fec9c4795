#include "exchange/adif_fields.h"

#include <algorithm>
#include <cstring>

#include "records/code_page_1252.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

struct Band {
    int64_t lowKhz;   // × 10000, inclusive
    int64_t highKhz;  // × 10000, inclusive
    const char* name;
};

constexpr int64_t kScale = 10000;
const Band kBands[] = {
    {1357000, 1378000, "2190m"},
    {472 * kScale, 479 * kScale, "630m"},
    {501 * kScale, 504 * kScale, "560m"},
    {1800 * kScale, 2000 * kScale, "160m"},
    {3500 * kScale, 4000 * kScale, "80m"},
    {5060 * kScale, 5450 * kScale, "60m"},
    {7000 * kScale, 7300 * kScale, "40m"},
    {10100 * kScale, 10150 * kScale, "30m"},
    {14000 * kScale, 14350 * kScale, "20m"},
    {18068 * kScale, 18168 * kScale, "17m"},
    {21000 * kScale, 21450 * kScale, "15m"},
    {24890 * kScale, 24990 * kScale, "12m"},
    {28000 * kScale, 29700 * kScale, "10m"},
    {40000 * kScale, 45000 * kScale, "8m"},
    {50000 * kScale, 54000 * kScale, "6m"},
    {70000 * kScale, 71000 * kScale, "4m"},
    {144000 * kScale, 148000 * kScale, "2m"},
    {222000 * kScale, 225000 * kScale, "1.25m"},
    {420000 * kScale, 450000 * kScale, "70cm"},
    {902000 * kScale, 928000 * kScale, "33cm"},
};

// The ASCII form of every code page 1252 byte, worked out once.
struct AsciiTable {
    std::string_view forms[256];
    AsciiTable() {
        static std::string texts[256];
        for (int byte = 0; byte < 256; ++byte) {
            texts[byte] = CodePage1252ToAscii(std::string_view(reinterpret_cast<const char*>(&byte), 1));
            forms[byte] = texts[byte];
        }
    }
};

const AsciiTable& Ascii() {
    static const AsciiTable table;
    return table;
}

char* PutText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* PutNumber(char* out, size_t value) {
    char digits[20];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

// "<NAME:LENGTH>DATA " ; nothing for empty data.
char* PutField(char* out, std::string_view name, std::string_view data) {
    if (data.empty()) return out;
    *out++ = '<';
    out = PutText(out, name);
    *out++ = ':';
    out = PutNumber(out, data.size());
    *out++ = '>';
    out = PutText(out, data);
    *out++ = ' ';
    return out;
}

bool IsPrintableAscii(std::string_view text) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

// The ASCII form of a trimmed text into `out` (room for three bytes a byte).
std::string_view AsciiForm(std::string_view trimmed, char* out) {
    if (IsPrintableAscii(trimmed)) return trimmed;
    char* end = out;
    for (char c : trimmed) end = PutText(end, Ascii().forms[static_cast<unsigned char>(c)]);
    return std::string_view(out, static_cast<size_t>(end - out));
}

// The exact text in UTF-8 into `out` (room for three bytes a byte).
std::string_view Utf8Form(std::string_view exact, char* out) {
    char* end = out;
    for (char c : exact) {
        uint32_t code = CodePage1252Char(static_cast<unsigned char>(c));
        if (code < 0x80) {
            *end++ = static_cast<char>(code);
        } else if (code < 0x800) {
            *end++ = static_cast<char>(0xC0 | code >> 6);
            *end++ = static_cast<char>(0x80 | (code & 0x3F));
        } else {
            *end++ = static_cast<char>(0xE0 | code >> 12);
            *end++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
            *end++ = static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return std::string_view(out, static_cast<size_t>(end - out));
}

// The standard field of a text: its trimmed ASCII form.
char* PutStandardText(char* out, const char* name, std::string_view field) {
    char ascii[3 * kRemarksWidth];
    return PutField(out, name, AsciiForm(Trimmed(field), ascii));
}

// The exact text, blanks at the end dropped, when the standard field does not
// carry it: a leading blank, or a byte outside printable ASCII.
char* PutExactText(char* out, const char* name, std::string_view field) {
    std::string_view exact = TrimmedEnd(field);
    if (IsPrintableAscii(exact) && (exact.empty() || exact[0] != ' ')) return out;
    char utf8[3 * kRemarksWidth];
    return PutField(out, name, Utf8Form(exact, utf8));
}

template <size_t N>
std::string_view View(const char (&field)[N]) {
    return std::string_view(field, N);
}

char* PutDateAndTime(const LogEntry& entry, char* out) {
    const char date[8] = {entry.Date[6], entry.Date[7], entry.Date[8], entry.Date[9],
                          entry.Date[3], entry.Date[4], entry.Date[0], entry.Date[1]};
    const char time[4] = {entry.Time[0], entry.Time[1], entry.Time[3], entry.Time[4]};
    out = PutField(out, "QSO_DATE", std::string_view(date, 8));
    return PutField(out, "TIME_ON", std::string_view(time, 4));
}

char* PutFrequency(const LogEntry& entry, char* out) {
    std::string megahertz = MegahertzOfKhz(View(entry.Freq));
    out = PutField(out, "FREQ", megahertz);
    int64_t scaled = 0;
    if (!megahertz.empty() && ReadTenThousandths(entry.Freq, sizeof entry.Freq, &scaled) == ScaledNumber::Fits) {
        out = PutField(out, "BAND", AdifBandOf(scaled));
    }
    return out;
}

}  // namespace

AdifDamage AdifDamageOf(const LogEntry& entry) {
    if (ReadDashedDate(entry.Date, sizeof entry.Date) == kNoDate) return AdifDamage::Date;
    TimeOfDay time;
    if (!ReadColonTime(entry.Time, sizeof entry.Time, &time)) return AdifDamage::Time;
    return AdifDamage::None;
}

char* PutAdifRecord(const LogEntry& entry, char* out) {
    out = PutDateAndTime(entry, out);
    out = PutFrequency(entry, out);
    out = PutField(out, "MODE", "AM");
    out = PutStandardText(out, "CALL", View(entry.Station));
    out = PutField(out, "SWL", "Y");
    out = PutStandardText(out, "QTH", View(entry.Location));
    out = PutStandardText(out, "COMMENT", View(entry.Remarks));
    if (!IsPlainKhz(View(entry.Freq))) out = PutField(out, "APP_ULMAR_FREQ", TrimmedEnd(View(entry.Freq)));
    out = PutExactText(out, "APP_ULMAR_STATION", View(entry.Station));
    out = PutExactText(out, "APP_ULMAR_LOCATION", View(entry.Location));
    out = PutExactText(out, "APP_ULMAR_REMARKS", View(entry.Remarks));
    return PutText(out, "<EOR>\r\n");
}

std::string_view AdifBandOf(int64_t tenThousandthsKhz) {
    for (const Band& band : kBands) {
        if (tenThousandthsKhz >= band.lowKhz && tenThousandthsKhz <= band.highKhz) return band.name;
    }
    return {};
}

std::string MegahertzOfKhz(std::string_view khz) {
    DecimalView value;
    if (!ReadDecimal(khz.data(), khz.size(), &value)) return "";
    std::string whole(value.whole);
    if (whole.size() < 4) whole.insert(0, 4 - whole.size(), '0');
    std::string megahertz = whole.substr(0, whole.size() - 3);
    megahertz.erase(0, std::min(megahertz.find_first_not_of('0'), megahertz.size() - 1));
    std::string fraction = whole.substr(whole.size() - 3) + std::string(value.fraction);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? megahertz : megahertz + "." + fraction;
}

bool IsPlainKhz(std::string_view khz) {
    std::string_view text = TrimmedEnd(khz);
    DecimalView value;
    if (text.empty()) return true;
    if (!ReadDecimal(text.data(), text.size(), &value)) return false;
    std::string plain = value.whole.empty() ? "0" : std::string(value.whole);
    if (!value.fraction.empty()) plain += "." + std::string(value.fraction);
    return text == plain;
}
