// Every text made from one record, over arbitrary 115 bytes: the browse line,
// the printed date and row, and the comma-separated line. The record sits in
// an allocation of exactly 115 bytes, so a read past it is caught. Each text
// must have its fixed length and every field must stand at its column.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "browse/entry_line.h"
#include "exchange/csv_line.h"
#include "logstore/log_entry.h"
#include "print/print_text.h"
#include "records/record_texts.h"
#include "records/text_trim.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

template <size_t N>
std::string Field(const char (&field)[N]) {
    return std::string(field, N);
}

// Whether `text` holds `expected` at `at`.
bool At(const std::string& text, size_t at, const std::string& expected) {
    return text.size() >= at + expected.size() && text.compare(at, expected.size(), expected) == 0;
}

void CheckEntryLine(const LogEntry& e) {
    std::string line = FormatEntryLine(e);
    std::string month = MonthName(kMonthShort, MonthNumber(e));
    Require(month.size() == 3 || month.empty());
    Require(line.size() == (month.empty() ? 121u : 124u));
    size_t shift = 3 - month.size();  // every column after the month moves left with it
    Require(At(line, 0, std::string(e.Date, 2) + " " + month + " " + std::string(e.Date + 6, 4) + " "));
    Require(At(line, 12 - shift, Field(e.Time) + " "));
    Require(At(line, 18 - shift, Field(e.Station) + " "));
    Require(At(line, 39 - shift, Field(e.Location) + " "));
    std::string freq = TrimRight(Field(e.Freq));
    Require(At(line, 64 - shift, std::string(6 - freq.size(), ' ') + freq + "KHz "));
    Require(At(line, 74 - shift, Field(e.Remarks)));
    Require(ListItemText(e) == kListItemMarker + line);
}

std::string CheckReportDate(const LogEntry& e) {
    std::string date = ReportDate(e);
    Require(date.size() == 11 || date.size() == 8);
    Require(At(date, 0, std::string(e.Date, 2) + " "));
    Require(At(date, date.size() - 5, " " + std::string(e.Date + 6, 4)));
    // The day-month-year form of a valid month always names it.
    bool twoDigitMonth = e.Date[3] >= '0' && e.Date[3] <= '9' && e.Date[4] >= '0' && e.Date[4] <= '9';
    if (twoDigitMonth) {
        int month = (e.Date[3] - '0') * 10 + (e.Date[4] - '0');
        Require(At(date, 3, MonthName(kMonthShort, month)));
        Require(date.size() == (month >= 1 && month <= 12 ? 11u : 8u));
    }
    // Every month field, damaged or not, names the same month as the browse line.
    Require(date.substr(3, date.size() - 8) == MonthName(kMonthShort, MonthNumber(e)));
    // The buffer form writes no more than its 11 characters.
    char out[16];
    std::memset(out, '#', sizeof out);
    size_t length = FormatReportDate(e, out);
    Require(length == date.size() && std::string(out, length) == date);
    for (size_t i = length; i < sizeof out; ++i) Require(out[i] == '#');
    return date;
}

void CheckPrintedRow(const LogEntry& e, const std::string& date) {
    std::string row = PrintedRow(e);
    size_t shift = 11 - date.size();
    Require(row.size() == kPrintedRowLength - shift);
    Require(At(row, 0, date + "  "));
    Require(At(row, 13 - shift, Field(e.Time) + "  "));
    Require(At(row, 20 - shift, Field(e.Station) + "  "));
    Require(At(row, 42 - shift, Field(e.Location) + "  "));
    std::string freq = TrimBoth(Field(e.Freq));
    Require(At(row, 68 - shift, std::string(6 - freq.size(), ' ') + freq + "KHz  "));
    Require(At(row, 79 - shift, Field(e.Remarks)));
}

// Splits one line into its fields, quotes understood; false when it is not
// well formed (a quote inside a plain field, text after a closing quote, a
// line break outside quotes, an unclosed quote).
bool ParseCsv(const std::string& line, std::vector<std::string>* fields) {
    size_t i = 0;
    for (;;) {
        std::string value;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        value += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += line[i++];
            }
            if (i < line.size() && line[i] != ',') return false;
        } else {
            while (i < line.size() && line[i] != ',') {
                char c = line[i++];
                if (c == '"' || c == '\r' || c == '\n') return false;
                value += c;
            }
        }
        fields->push_back(value);
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

void CheckCsvLine(const LogEntry& e, const std::string& date) {
    std::string line = CsvLine(e);
    Require(line.size() <= kLongestCsvLine);
    std::vector<std::string> fields;
    Require(ParseCsv(line, &fields));
    Require(fields.size() == 6);
    Require(fields[0] == date);
    Require(fields[1] == TrimRight(Field(e.Time)));
    Require(fields[2] == TrimRight(Field(e.Station)));
    Require(fields[3] == TrimRight(Field(e.Location)));
    Require(fields[4] == TrimBoth(Field(e.Freq)) + "KHz");
    Require(fields[5] == TrimRight(Field(e.Remarks)));
    // The line written in place stays inside the room it is promised.
    std::vector<char> room(kCsvLineRoom);
    char* end = PutCsvLine(e, room.data());
    Require(std::string(room.data(), static_cast<size_t>(end - room.data())) == line);
    std::string appended = "x";
    AppendCsvLine(e, &appended);
    Require(appended == "x" + line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(LogEntry)) return 0;
    // A heap block of exactly one record: any read beyond it is a finding.
    std::unique_ptr<LogEntry> entry(new LogEntry);
    std::memcpy(entry.get(), data, sizeof(LogEntry));
    const LogEntry& e = *entry;
    CheckEntryLine(e);
    std::string date = CheckReportDate(e);
    CheckPrintedRow(e, date);
    CheckCsvLine(e, date);
    return 0;
}
