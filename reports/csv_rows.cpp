#include "reports/csv_rows.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Steps over the line break at `at`: CR LF counts as one.
void SkipLineBreak(CsvReader* reader) {
    const std::string& text = *reader->text;
    if (text[reader->at] == '\r' && reader->at + 1 < text.size() && text[reader->at + 1] == '\n') ++reader->at;
    ++reader->at;
    ++reader->line;
}

std::string* NextField(CsvRow* row) {
    if (row->fieldCount == row->fields.size()) row->fields.emplace_back();
    std::string* field = &row->fields[row->fieldCount++];
    field->clear();
    return field;
}

void ReadPlainField(CsvReader* reader, std::string* field) {
    const std::string& text = *reader->text;
    size_t end = reader->at;
    while (end < text.size() && text[end] != reader->separator && !IsLineBreak(text[end])) ++end;
    field->assign(text, reader->at, end - reader->at);
    reader->at = end;
}

// From the opening quote to just past the closing one; line breaks inside
// are part of the value and still count as lines of the file.
void ReadQuotedField(CsvReader* reader, CsvRow* row, std::string* field) {
    const std::string& text = *reader->text;
    ++reader->at;
    for (;;) {
        size_t quote = text.find('"', reader->at);
        size_t end = quote == std::string::npos ? text.size() : quote;
        for (size_t i = reader->at; i < end; ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++reader->line;
        }
        field->append(text, reader->at, end - reader->at);
        if (quote == std::string::npos) {
            reader->at = text.size();
            row->unclosedQuote = true;
            return;
        }
        if (quote + 1 < text.size() && text[quote + 1] == '"') {
            field->push_back('"');
            reader->at = quote + 2;
            continue;
        }
        reader->at = quote + 1;
        break;
    }
    // Anything up to the separator after the closing quote is a fault of the line.
    size_t end = reader->at;
    while (end < text.size() && text[end] != reader->separator && !IsLineBreak(text[end])) ++end;
    if (end > reader->at) row->textAfterQuote = true;
    reader->at = end;
}

}  // namespace

char FindSeparator(const std::string& text) {
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == ',' || c == ';') return c;
        if (IsLineBreak(c)) return 0;
    }
    return 0;
}

bool NextCsvRow(CsvReader* reader, CsvRow* row) {
    const std::string& text = *reader->text;
    if (reader->at >= text.size()) return false;
    row->fieldCount = 0;
    row->line = reader->line;
    row->unclosedQuote = false;
    row->textAfterQuote = false;
    for (;;) {
        std::string* field = NextField(row);
        if (reader->at < text.size() && text[reader->at] == '"') {
            ReadQuotedField(reader, row, field);
        } else {
            ReadPlainField(reader, field);
        }
        if (reader->at >= text.size()) return true;
        if (text[reader->at] != reader->separator) break;
        ++reader->at;
    }
    SkipLineBreak(reader);
    return true;
}
