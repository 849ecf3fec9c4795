// Splitting the text of a CSV file into rows of fields: a field may stand in
// double quotes, with inner quotes doubled, and then hold the separator and
// line breaks. Lines end in CR LF, LF or CR.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct CsvRow {
    // The values of this row: fields[0..fieldCount). Each looks into the text,
    // or, for a value with doubled quotes, into its unquoted copy; they last
    // until the next row is read.
    std::vector<std::string_view> Fields;
    size_t FieldCount = 0;
    std::deque<std::string> Unquoted;  // grows without moving what it holds
    int64_t Line = 0;                  // the file line the row starts on, from 1
    bool UnclosedQuote = false;        // a quoted field ran to the end of the file
    bool TextAfterQuote = false;       // characters between a closing quote and the separator
};

struct CsvReader {
    std::string_view Text;
    char Separator = ',';
    size_t At = 0;
    int64_t Line = 1;
};

// The separator of a text: the first ',' or ';' outside quotes in its first
// line; 0 when that line has neither. `*decided` (when given) is false when the
// text ended before either or a line break was found, so that more of the
// file must be looked at.
char FindSeparator(std::string_view text, bool* decided = nullptr);

// Reads the next row; false at the end of the text.
bool NextCsvRow(CsvReader* reader, CsvRow* row);
