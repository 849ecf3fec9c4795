#include "print/csv_line.h"

#include <cstdint>
#include <cstring>

#include "print/print_text.h"

namespace {

size_t TrimmedRightLength(const char* data, size_t length) {
    while (length > 0 && data[length - 1] == ' ') --length;
    return length;
}

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

// The field in double quotes, inner quotes doubled.
char* PutQuoted(const char* data, size_t length, char* out) {
    *out++ = '"';
    // Copy up to each inner quote, then write that quote twice.
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

// Writes one field at `out` and returns the end of what was written. The
// field is copied eight bytes at a time while it is checked for a comma, a
// double quote or a line break, which make it need quotes: the export spends
// most of its time here.
char* PutField(const char* data, size_t length, char* out) {
    uint64_t special = 0;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        std::memcpy(out + i, &word, 8);
        special |= SpecialBytes(word);
    }
    for (; i < length; ++i) {
        out[i] = data[i];
        special |= IsSpecial(data[i]);
    }
    if (special == 0) return out + length;
    return PutQuoted(data, length, out);
}

template <size_t N>
char* PutTrimmedRight(const char (&field)[N], char* out) {
    return PutField(field, TrimmedRightLength(field, N), out);
}

char* PutFrequency(const LogEntry& entry, char* out) {
    const char* data = entry.Freq;
    size_t length = TrimmedRightLength(data, sizeof entry.Freq);
    while (length > 0 && *data == ' ') {
        ++data;
        --length;
    }
    char text[sizeof entry.Freq + 3];
    std::memcpy(text, data, length);
    std::memcpy(text + length, "KHz", 3);
    return PutField(text, length + 3, out);
}

}  // namespace

char* PutCsvLine(const LogEntry& entry, char* out) {
    char date[11];
    char* p = PutField(date, FormatReportDate(entry, date), out);
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
    char line[kLongestCsvLine];
    out->append(line, static_cast<size_t>(PutCsvLine(entry, line) - line));
}

std::string CsvLine(const LogEntry& entry) {
    std::string line;
    AppendCsvLine(entry, &line);
    return line;
}
