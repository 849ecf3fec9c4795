#include "print/csv_line.h"

#include <cstring>

#include "print/print_text.h"

namespace {

size_t TrimmedRightLength(const char* data, size_t length) {
    while (length > 0 && data[length - 1] == ' ') --length;
    return length;
}

bool NeedsQuotes(const char* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        char c = data[i];
        if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
    }
    return false;
}

void AppendField(const char* data, size_t length, std::string* out) {
    if (!NeedsQuotes(data, length)) {
        out->append(data, length);
        return;
    }
    *out += '"';
    for (size_t i = 0; i < length; ++i) {
        if (data[i] == '"') *out += '"';
        *out += data[i];
    }
    *out += '"';
}

template <size_t N>
void AppendTrimmedRight(const char (&field)[N], std::string* out) {
    AppendField(field, TrimmedRightLength(field, N), out);
}

void AppendFrequency(const LogEntry& entry, std::string* out) {
    const char* data = entry.Freq;
    size_t length = TrimmedRightLength(data, sizeof entry.Freq);
    while (length > 0 && *data == ' ') {
        ++data;
        --length;
    }
    char text[sizeof entry.Freq + 3];
    std::memcpy(text, data, length);
    std::memcpy(text + length, "KHz", 3);
    AppendField(text, length + 3, out);
}

}  // namespace

void AppendCsvLine(const LogEntry& entry, std::string* out) {
    std::string date = ReportDate(entry);
    AppendField(date.data(), date.size(), out);
    *out += ',';
    AppendTrimmedRight(entry.Time, out);
    *out += ',';
    AppendTrimmedRight(entry.Station, out);
    *out += ',';
    AppendTrimmedRight(entry.Location, out);
    *out += ',';
    AppendFrequency(entry, out);
    *out += ',';
    AppendTrimmedRight(entry.Remarks, out);
}

std::string CsvLine(const LogEntry& entry) {
    std::string line;
    AppendCsvLine(entry, &line);
    return line;
}
