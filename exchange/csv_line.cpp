#include "exchange/csv_line.h"

#include <cstdint>
#include <cstring>

#include "records/record_texts.h"
#include "records/text_trim.h"

// The export spends most of its time here, so fields are checked eight bytes
// at a time and copied whole with fixed-size copies; the bytes copied past a
// field's trimmed end are overwritten by what follows (hence kCsvLineRoom).

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

// Non-zero when any of the eight bytes of `word` equals `byte`.
uint64_t HasByte(uint64_t word, unsigned char byte) {
    uint64_t x = word ^ (kOnes * byte);
    return (x - kOnes) & ~x & kHighBits;
}

bool IsSpecial(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

uint64_t SpecialBytes(uint64_t word) {
    return HasByte(word, ',') | HasByte(word, '"') | HasByte(word, '\r') | HasByte(word, '\n');
}

// Whether a stored field holds a comma, a double quote or a line break. The
// whole width is checked: the blanks that trimming removes are never special.
template <size_t N>
bool NeedsQuotes(const char (&field)[N]) {
    uint64_t found = 0;
    size_t i = 0;
    for (; i + 8 <= N; i += 8) {
        uint64_t word;
        std::memcpy(&word, field + i, 8);
        found |= SpecialBytes(word);
    }
    for (; i < N; ++i) found |= IsSpecial(field[i]);
    return found != 0;
}

// The text in double quotes, inner quotes doubled.
char* PutQuoted(const char* data, size_t length, char* out) {
    *out++ = '"';
    // Copy up to each inner quote, then write that quote once more.
    const char* end = data + length;
    while (data < end) {
        const char* quote = static_cast<const char*>(std::memchr(data, '"', static_cast<size_t>(end - data)));
        const char* stop = quote ? quote + 1 : end;
        std::memcpy(out, data, static_cast<size_t>(stop - data));
        out += stop - data;
        if (quote) *out++ = '"';
        data = stop;
    }
    *out++ = '"';
    return out;
}

// `text` holds `length` characters made from `field` plus bytes that are
// never special; it is written plain or quoted as the field requires.
template <size_t N, size_t M>
char* PutMadeFrom(const char (&field)[N], const char (&text)[M], size_t length, char* out) {
    if (NeedsQuotes(field)) return PutQuoted(text, length, out);
    std::memcpy(out, text, M);
    return out + length;
}

template <size_t N>
char* PutTrimmedRight(const char (&field)[N], char* out) {
    return PutMadeFrom(field, field, TrimmedEnd(std::string_view(field, N)).size(), out);
}

char* PutDate(const LogEntry& entry, char* out) {
    char date[11];
    size_t length = FormatReportDate(entry, date);
    return PutMadeFrom(entry.Date, date, length, out);
}

char* PutFrequency(const LogEntry& entry, char* out) {
    std::string_view freq = Trimmed(std::string_view(entry.Freq, sizeof entry.Freq));
    const char* data = freq.data();
    size_t length = freq.size();
    char text[sizeof entry.Freq + 3] = {};
    std::memcpy(text, data, length);
    std::memcpy(text + length, "KHz", 3);
    return PutMadeFrom(entry.Freq, text, length + 3, out);
}

}  // namespace

char* PutCsvLine(const LogEntry& entry, char* out) {
    char* p = PutDate(entry, out);
    *p++ = ',';
    p = PutTrimmedRight(entry.Time, p);
    *p++ = ',';
    p = PutTrimmedRight(entry.Station, p);
    *p++ = ',';
    p = PutTrimmedRight(entry.Location, p);
    *p++ = ',';
    p = PutFrequency(entry, p);
    *p++ = ',';
    return PutTrimmedRight(entry.Remarks, p);
}

void AppendCsvLine(const LogEntry& entry, std::string* out) {
    char line[kCsvLineRoom];
    out->append(line, static_cast<size_t>(PutCsvLine(entry, line) - line));
}

std::string CsvLine(const LogEntry& entry) {
    std::string line;
    AppendCsvLine(entry, &line);
    return line;
}
