#include "exchange/csv_rows.h"

#include <cstring>

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Steps over the line break at `at`: CR LF counts as one.
void SkipLineBreak(CsvReader* reader) {
    std::string_view text = reader->text;
    if (text[reader->at] == '\r' && reader->at + 1 < text.size() && text[reader->at + 1] == '\n') ++reader->at;
    ++reader->at;
    ++reader->line;
}

// The end of a plain field: the next separator, line break or the text's end.
size_t PlainEnd(const CsvReader& reader, size_t from) {
    std::string_view text = reader.text;
    while (from < text.size() && text[from] != reader.separator && !IsLineBreak(text[from])) ++from;
    return from;
}

void CountLines(CsvReader* reader, size_t from, size_t to) {
    std::string_view text = reader->text;
    // Most quoted values hold no line break at all.
    const char* part = text.data() + from;
    if (!std::memchr(part, '\n', to - from) && !std::memchr(part, '\r', to - from)) return;
    for (size_t i = from; i < to; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++reader->line;
    }
}

// The value between the quotes, from just past the opening quote to just
// past the closing one. Line breaks inside are part of the value and still
// count as lines of the file; doubled quotes need a copy of the value.
std::string_view ReadQuotedValue(CsvReader* reader, CsvRow* row, std::string* copy) {
    std::string_view text = reader->text;
    size_t begin = reader->at;
    bool copied = false;
    for (;;) {
        size_t quote = text.find('"', reader->at);
        size_t end = quote == std::string_view::npos ? text.size() : quote;
        CountLines(reader, reader->at, end);
        if (quote != std::string_view::npos && quote + 1 < text.size() && text[quote + 1] == '"') {
            if (!copied) copy->clear();
            copied = true;
            copy->append(text.data() + reader->at, quote + 1 - reader->at);
            reader->at = quote + 2;
            continue;
        }
        std::string_view last = text.substr(reader->at, end - reader->at);
        reader->at = quote == std::string_view::npos ? text.size() : quote + 1;
        row->unclosedQuote = quote == std::string_view::npos;
        if (!copied) return text.substr(begin, end - begin);
        copy->append(last.data(), last.size());
        return *copy;
    }
}

std::string_view ReadField(CsvReader* reader, CsvRow* row, size_t index) {
    std::string_view text = reader->text;
    if (reader->at >= text.size() || text[reader->at] != '"') {
        size_t end = PlainEnd(*reader, reader->at);
        std::string_view value = text.substr(reader->at, end - reader->at);
        reader->at = end;
        return value;
    }
    if (row->unquoted.size() <= index) row->unquoted.resize(index + 1);
    ++reader->at;
    std::string_view value = ReadQuotedValue(reader, row, &row->unquoted[index]);
    // Anything up to the separator after the closing quote is a fault of the line.
    size_t end = PlainEnd(*reader, reader->at);
    if (end > reader->at) row->textAfterQuote = true;
    reader->at = end;
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
    std::string_view text = reader->text;
    if (reader->at >= text.size()) return false;
    row->fieldCount = 0;
    row->line = reader->line;
    row->unclosedQuote = false;
    row->textAfterQuote = false;
    for (;;) {
        std::string_view value = ReadField(reader, row, row->fieldCount);
        if (row->fieldCount == row->fields.size()) row->fields.emplace_back();
        row->fields[row->fieldCount++] = value;
        if (reader->at >= text.size()) return true;
        if (text[reader->at] != reader->separator) break;
        ++reader->at;
    }
    SkipLineBreak(reader);
    return true;
}
