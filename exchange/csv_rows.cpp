#include "exchange/csv_rows.h"

#include <cstring>

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Steps over the line break at `at`: CR LF counts as one.
void SkipLineBreak(CsvReader* reader) {
    std::string_view text = reader->Text;
    if (text[reader->At] == '\r' && reader->At + 1 < text.size() && text[reader->At + 1] == '\n') ++reader->At;
    ++reader->At;
    ++reader->Line;
}

// The end of a plain field: the next separator, line break or the text's end.
size_t PlainEnd(const CsvReader& reader, size_t from) {
    std::string_view text = reader.Text;
    while (from < text.size() && text[from] != reader.Separator && !IsLineBreak(text[from])) ++from;
    return from;
}

void CountLines(CsvReader* reader, size_t from, size_t to) {
    std::string_view text = reader->Text;
    // Most quoted values hold no line break at all.
    const char* part = text.data() + from;
    if (!std::memchr(part, '\n', to - from) && !std::memchr(part, '\r', to - from)) return;
    for (size_t i = from; i < to; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++reader->Line;
    }
}

// The value between the quotes, from just past the opening quote to just
// past the closing one. Line breaks inside are part of the value and still
// count as lines of the file; doubled quotes need a copy of the value.
std::string_view ReadQuotedValue(CsvReader* reader, CsvRow* row, std::string* copy) {
    std::string_view text = reader->Text;
    size_t begin = reader->At;
    bool copied = false;
    for (;;) {
        size_t quote = text.find('"', reader->At);
        size_t end = quote == std::string_view::npos ? text.size() : quote;
        CountLines(reader, reader->At, end);
        if (quote != std::string_view::npos && quote + 1 < text.size() && text[quote + 1] == '"') {
            if (!copied) copy->clear();
            copied = true;
            copy->append(text.data() + reader->At, quote + 1 - reader->At);
            reader->At = quote + 2;
            continue;
        }
        std::string_view last = text.substr(reader->At, end - reader->At);
        reader->At = quote == std::string_view::npos ? text.size() : quote + 1;
        row->UnclosedQuote = quote == std::string_view::npos;
        if (!copied) return text.substr(begin, end - begin);
        copy->append(last.data(), last.size());
        return *copy;
    }
}

std::string_view ReadField(CsvReader* reader, CsvRow* row, size_t index) {
    std::string_view text = reader->Text;
    if (reader->At >= text.size() || text[reader->At] != '"') {
        size_t end = PlainEnd(*reader, reader->At);
        std::string_view value = text.substr(reader->At, end - reader->At);
        reader->At = end;
        return value;
    }
    if (row->Unquoted.size() <= index) row->Unquoted.resize(index + 1);
    ++reader->At;
    std::string_view value = ReadQuotedValue(reader, row, &row->Unquoted[index]);
    // Anything up to the separator after the closing quote is a fault of the line.
    size_t end = PlainEnd(*reader, reader->At);
    if (end > reader->At) row->TextAfterQuote = true;
    reader->At = end;
    return value;
}

}  // namespace

char FindSeparator(std::string_view text, bool* decided) {
    bool quoted = false;
    if (decided) *decided = true;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == ',' || c == ';') return c;
        if (IsLineBreak(c)) return 0;
    }
    if (decided) *decided = false;
    return 0;
}

bool NextCsvRow(CsvReader* reader, CsvRow* row) {
    std::string_view text = reader->Text;
    if (reader->At >= text.size()) return false;
    row->FieldCount = 0;
    row->Line = reader->Line;
    row->UnclosedQuote = false;
    row->TextAfterQuote = false;
    for (;;) {
        std::string_view value = ReadField(reader, row, row->FieldCount);
        if (row->FieldCount == row->Fields.size()) row->Fields.emplace_back();
        row->Fields[row->FieldCount++] = value;
        if (reader->At >= text.size()) return true;
        if (text[reader->At] != reader->Separator) break;
        ++reader->At;
    }
    SkipLineBreak(reader);
    return true;
}
