#include "exchange/adif_fields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "records/byte_words.h"
#include "records/code_page_1252.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

struct Band {
    int64_t LowKhz;   // × 10000, inclusive
    int64_t HighKhz;  // × 10000, inclusive
    const char* Name;
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
    std::string_view Forms[256];
    AsciiTable() {
        static std::string texts[256];
        for (int byte = 0; byte < 256; ++byte) {
            texts[byte] = CodePage1252ToAscii(std::string_view(reinterpret_cast<const char*>(&byte), 1));
            Forms[byte] = texts[byte];
        }
    }
};

const AsciiTable& Ascii() {
    static const AsciiTable table;
    return table;
}

char* PutText(char* out, std::string_view text) {
    if (text.empty()) return out;  // an empty view may hold no pointer at all
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

// "<NAME:LENGTH>DATA " ; nothing for empty data. The name is a literal, so
// its copy is a fixed move: the export writes ten fields of every entry.
template <size_t N>
char* PutField(char* out, const char (&name)[N], std::string_view data) {
    if (data.empty()) return out;
    *out = '<';
    std::memcpy(out + 1, name, N - 1);
    out += N;
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
    for (char c : trimmed) end = PutText(end, Ascii().Forms[static_cast<unsigned char>(c)]);
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

// A text field as it goes out: the exact text (blanks at the end dropped) and
// whether the standard field carries it as it is (printable ASCII, no leading blank).
struct TextForms {
    std::string_view Exact;
    bool Plain = false;
};

// The high bit of each byte of `word` outside 32-126.
uint64_t BytesBeyondPrintable(uint64_t word) { return ~BytesWithin(word, ' ', '~') & kHighBits; }

// A field's forms read eight bytes at a time: the export reads every text of
// every entry, and most are short texts of plain letters padded with blanks.
// Blanks are printable, so the whole field is checked, overlapping at its end.
template <size_t N>
TextForms FormsOf(const char (&field)[N]) {
    static_assert(N >= 8, "a text field holds at least one word");
    uint64_t beyond = BytesBeyondPrintable(WordAt(field + N - 8));
    for (size_t at = 0; at + 8 < N; at += 8) beyond |= BytesBeyondPrintable(WordAt(field + at));
    size_t end = N;
    while (end >= 8 && WordAt(field + end - 8) == kBlanks) end -= 8;
    std::string_view exact = TrimmedEnd(std::string_view(field, end));
    return {exact, beyond == 0 && (exact.empty() || exact[0] != ' ')};
}

// The standard field of a text: its trimmed ASCII form.
template <size_t N>
char* PutStandardText(char* out, const char (&name)[N], const TextForms& text) {
    if (text.Plain) return PutField(out, name, text.Exact);
    char ascii[3 * kRemarksWidth];
    return PutField(out, name, AsciiForm(TrimmedStart(text.Exact), ascii));
}

// The exact text in UTF-8 when the standard field does not carry it.
template <size_t N>
char* PutExactText(char* out, const char (&name)[N], const TextForms& text) {
    if (text.Plain) return out;
    char utf8[3 * kRemarksWidth];
    return PutField(out, name, Utf8Form(text.Exact, utf8));
}

// The MHz form of a kHz value into `out` (room for 12 bytes); returns the end.
char* PutMegahertz(DecimalView khz, char* out) {
    char whole[8] = {'0', '0', '0', '0'};
    size_t digits = std::max<size_t>(khz.Whole.size(), 4);
    std::memcpy(whole + digits - khz.Whole.size(), khz.Whole.data(), khz.Whole.size());
    size_t first = 0;
    while (first + 4 < digits && whole[first] == '0') ++first;  // one digit stays before the point
    out = PutText(out, std::string_view(whole + first, digits - 3 - first));
    char fraction[16];
    std::memcpy(fraction, whole + digits - 3, 3);
    std::memcpy(fraction + 3, khz.Fraction.data(), khz.Fraction.size());
    size_t length = 3 + khz.Fraction.size();
    while (length > 0 && fraction[length - 1] == '0') --length;
    if (length == 0) return out;
    *out++ = '.';
    return PutText(out, std::string_view(fraction, length));
}

// kHz × 10000 of a value of at most six whole digits and four decimals.
int64_t TenThousandths(DecimalView khz) {
    int64_t value = 0;
    for (char c : khz.Whole) value = value * 10 + (c - '0');
    for (size_t i = 0; i < 4; ++i) value = value * 10 + (i < khz.Fraction.size() ? khz.Fraction[i] - '0' : 0);
    return value;
}

bool IsPlainForm(std::string_view text, DecimalView value) {
    std::string_view whole = value.Whole.empty() ? std::string_view("0") : value.Whole;
    if (text.substr(0, whole.size()) != whole) return false;
    if (value.Fraction.empty()) return text.size() == whole.size();
    return text.size() == whole.size() + 1 + value.Fraction.size() && text[whole.size()] == '.' &&
           text.substr(whole.size() + 1) == value.Fraction;
}

char* PutDateAndTime(const LogEntry& entry, char* out) {
    const char date[8] = {entry.Date[6], entry.Date[7], entry.Date[8], entry.Date[9],
                          entry.Date[3], entry.Date[4], entry.Date[0], entry.Date[1]};
    const char time[4] = {entry.Time[0], entry.Time[1], entry.Time[3], entry.Time[4]};
    out = PutField(out, "QSO_DATE", std::string_view(date, 8));
    return PutField(out, "TIME_ON", std::string_view(time, 4));
}

// FREQ and BAND when the Freq text is a number; its exact text when that is
// not the plain form of the number.
char* PutFrequency(const LogEntry& entry, char* out, char* exactOut, char** exactEnd) {
    std::string_view text = TrimmedEnd(std::string_view(entry.Freq, sizeof entry.Freq));
    DecimalView value;
    bool number = !text.empty() && ReadDecimal(text.data(), text.size(), &value);
    *exactEnd = exactOut;
    if (!text.empty() && !(number && IsPlainForm(text, value))) *exactEnd = PutField(exactOut, "APP_ULMAR_FREQ", text);
    if (!number) return out;
    char megahertz[16];
    out = PutField(out, "FREQ",
                   std::string_view(megahertz, static_cast<size_t>(PutMegahertz(value, megahertz) - megahertz)));
    return PutField(out, "BAND", AdifBandOf(TenThousandths(value)));
}

}  // namespace

AdifDamage AdifDamageOf(const LogEntry& entry) {
    if (ReadDashedDate(entry.Date, sizeof entry.Date) == kNoDate) return AdifDamage::Date;
    TimeOfDay time;
    if (!ReadColonTime(entry.Time, sizeof entry.Time, &time)) return AdifDamage::Time;
    return AdifDamage::None;
}

char* PutAdifRecord(const LogEntry& entry, char* out, std::string_view extra) {
    out = PutDateAndTime(entry, out);
    char exactFreq[32];
    char* exactFreqEnd = exactFreq;
    out = PutFrequency(entry, out, exactFreq, &exactFreqEnd);
    out = PutField(out, "MODE", "AM");
    TextForms station = FormsOf(entry.Station);
    TextForms location = FormsOf(entry.Location);
    TextForms remarks = FormsOf(entry.Remarks);
    out = PutStandardText(out, "CALL", station);
    out = PutField(out, "SWL", "Y");
    out = PutStandardText(out, "QTH", location);
    out = PutStandardText(out, "COMMENT", remarks);
    out = PutText(out, std::string_view(exactFreq, static_cast<size_t>(exactFreqEnd - exactFreq)));
    out = PutExactText(out, "APP_ULMAR_STATION", station);
    out = PutExactText(out, "APP_ULMAR_LOCATION", location);
    out = PutExactText(out, "APP_ULMAR_REMARKS", remarks);
    out = PutText(out, extra);
    return PutText(out, "<EOR>\r\n");
}

std::string_view AdifBandOf(int64_t tenThousandthsKhz) {
    // The bands lie in ascending order: the last one starting at or below the value.
    const Band* after = std::upper_bound(std::begin(kBands), std::end(kBands), tenThousandthsKhz,
                                         [](int64_t value, const Band& band) { return value < band.LowKhz; });
    if (after == std::begin(kBands) || tenThousandthsKhz > (after - 1)->HighKhz) return {};
    return (after - 1)->Name;
}

std::string MegahertzOfKhz(std::string_view khz) {
    DecimalView value;
    if (!ReadDecimal(khz.data(), khz.size(), &value)) return "";
    char megahertz[16];
    return std::string(megahertz, static_cast<size_t>(PutMegahertz(value, megahertz) - megahertz));
}

bool IsPlainKhz(std::string_view khz) {
    std::string_view text = TrimmedEnd(khz);
    DecimalView value;
    if (text.empty()) return true;
    return ReadDecimal(text.data(), text.size(), &value) && IsPlainForm(text, value);
}
