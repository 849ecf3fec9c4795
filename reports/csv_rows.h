// Splitting the text of a CSV file into rows of fields: a field may stand in
// double quotes, with inner quotes doubled, and then hold the separator and
// line breaks. Lines end in CR LF, LF or CR.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CsvRow {
    std::vector<std::string> fields;  // holds capacity from row to row
    size_t fieldCount = 0;            // fields of this row: fields[0..fieldCount)
    int64_t line = 0;                 // the file line the row starts on, from 1
    bool unclosedQuote = false;       // a quoted field ran to the end of the file
    bool textAfterQuote = false;      // characters between a closing quote and the separator
};

struct CsvReader {
    const std::string* text = nullptr;
    char separator = ',';
    size_t at = 0;
    int64_t line = 1;
};

// The separator of a file: the first ',' or ';' outside quotes in its first
// line; 0 when that line has neither.
char FindSeparator(const std::string& text);

// Reads the next row; false at the end of the text.
bool NextCsvRow(CsvReader* reader, CsvRow* row);
