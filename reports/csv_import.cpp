#include "reports/csv_import.h"

#include <algorithm>

#include "logstore/code_page_1252.h"
#include "logstore/record_texts.h"
#include "platform/file.h"
#include "reports/csv_rows.h"
#include "reports/report_values.h"
#include "reports/text_encoding.h"

namespace {

// Far more lines than any log a listener keeps, yet little memory.
constexpr size_t kLargestImport = size_t{256} << 20;
constexpr size_t kRecordsReservedAtMost = size_t{1} << 20;

// The columns, in the order of the record's fields.
enum Column { kDate, kTime, kFreq, kStation, kLocation, kRemarks, kColumnCount };

const char* const kColumnNames[kColumnCount] = {"Date", "Time", "Freq", "Station", "Location", "Remarks"};
const size_t kColumnWidths[kColumnCount] = {sizeof LogEntry::Date,    sizeof LogEntry::Time,
                                            sizeof LogEntry::Freq,    sizeof LogEntry::Station,
                                            sizeof LogEntry::Location, sizeof LogEntry::Remarks};

// Where each column stands in a row; -1 when the header lacks it.
struct ColumnMap {
    int at[kColumnCount] = {-1, -1, -1, -1, -1, -1};
    size_t headerFields = 0;
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string_view TrimmedBoth(std::string_view text) {
    const char* data = text.data();
    size_t length = text.size();
    TrimBlanks(&data, &length);
    return std::string_view(data, length);
}

std::string_view TrimmedRight(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

int ColumnOfName(std::string_view header) {
    std::string_view name = TrimmedBoth(header);
    if (SameName(name, "Date")) return kDate;
    if (SameName(name, "Time") || SameName(name, "UTC")) return kTime;
    if (SameName(name, "Freq") || SameName(name, "kHz") || SameName(name, "Frequency")) return kFreq;
    if (SameName(name, "Station")) return kStation;
    if (SameName(name, "Location")) return kLocation;
    if (SameName(name, "Remarks")) return kRemarks;
    return -1;
}

// "Date", "Date or Station", "Date, Time or Station".
std::string ListOfNames(const std::vector<std::string>& names) {
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
        list += names[i];
    }
    return list;
}

bool MapColumns(const CsvRow& header, ColumnMap* map, std::string* refusal) {
    map->headerFields = header.fieldCount;
    for (size_t i = 0; i < header.fieldCount; ++i) {
        int column = ColumnOfName(header.fields[i]);
        // When a name comes twice, the first column of that name is read.
        if (column >= 0 && map->at[column] < 0) map->at[column] = static_cast<int>(i);
    }
    std::vector<std::string> missing;
    for (int column : {kDate, kTime, kStation}) {
        if (map->at[column] < 0) missing.push_back(kColumnNames[column]);
    }
    if (missing.empty()) return true;
    *refusal = "it has no " + ListOfNames(missing) + (missing.size() == 1 ? " column" : " columns");
    return false;
}

// A value as a reason shows it: on one line and not too long.
std::string Shown(std::string_view value) {
    std::string shown(value.substr(0, 20));
    if (value.size() > 20) shown += "...";
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    return shown;
}

bool AllDigits(std::string_view text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

int Number(std::string_view text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

int MonthOfName(std::string_view text, size_t from) {
    for (int month = 1; month <= 12; ++month) {
        if (SameName(text.substr(from, 3), MonthName(kMonthShort, month))) return month;
    }
    return 0;
}

// DD Mon YYYY, DD-MM-YYYY, YYYY-MM-DD or DD/MM/YYYY, as the log's DD-MM-YYYY.
bool ReadImportDate(std::string_view text, char (&date)[10]) {
    int day = 0, month = 0, year = 0;
    if (text.size() == 11 && text[2] == ' ' && text[6] == ' ' && AllDigits(text, 0, 2) && AllDigits(text, 7, 4)) {
        day = Number(text, 0, 2);
        month = MonthOfName(text, 3);
        year = Number(text, 7, 4);
    } else if (text.size() == 10 && text[4] == '-' && text[7] == '-' && AllDigits(text, 0, 4) &&
               AllDigits(text, 5, 2) && AllDigits(text, 8, 2)) {
        year = Number(text, 0, 4);
        month = Number(text, 5, 2);
        day = Number(text, 8, 2);
    } else if (text.size() == 10 && ((text[2] == '-' && text[5] == '-') || (text[2] == '/' && text[5] == '/')) &&
               AllDigits(text, 0, 2) && AllDigits(text, 3, 2) && AllDigits(text, 6, 4)) {
        day = Number(text, 0, 2);
        month = Number(text, 3, 2);
        year = Number(text, 6, 4);
    }
    if (!IsCalendarDate(year, month, day)) return false;
    date[0] = static_cast<char>('0' + day / 10);
    date[1] = static_cast<char>('0' + day % 10);
    date[2] = '-';
    date[3] = static_cast<char>('0' + month / 10);
    date[4] = static_cast<char>('0' + month % 10);
    date[5] = '-';
    for (int i = 3; i >= 0; --i, year /= 10) date[6 + i] = static_cast<char>('0' + year % 10);
    return true;
}

// HH:MM or HHMM, as the log's HH:MM.
bool ReadImportTime(std::string_view text, char (&time)[5]) {
    if (text.size() == 4 && AllDigits(text, 0, 4)) {
        time[0] = text[0];
        time[1] = text[1];
        time[2] = ':';
        time[3] = text[2];
        time[4] = text[3];
    } else if (text.size() == 5) {
        text.copy(time, 5);
    } else {
        return false;
    }
    TimeOfDay parsed;
    return ReadColonTime(time, 5, &parsed);
}

// Any text, without one trailing "kHz" in any letter case.
std::string_view FrequencyValue(std::string_view text) {
    std::string_view value = TrimmedRight(text);
    if (value.size() >= 3 && SameName(value.substr(value.size() - 3), "kHz")) {
        value = TrimmedRight(value.substr(0, value.size() - 3));
    }
    return value;
}

std::string_view Value(const CsvRow& row, const ColumnMap& map, int column) {
    int at = map.at[column];
    return at < 0 ? std::string_view() : row.fields[static_cast<size_t>(at)];
}

bool IsBlankRow(const CsvRow& row) {
    for (size_t i = 0; i < row.fieldCount; ++i) {
        if (row.fields[i].find_first_not_of(' ') != std::string::npos) return false;
    }
    return true;
}

bool Reject(std::string* reason, const std::string& why) {
    *reason = why;
    return false;
}

// The row as a record, or the reason it cannot be one.
bool RowToRecord(const CsvRow& row, const ColumnMap& map, LogEntry* record, std::string* reason) {
    if (row.unclosedQuote) return Reject(reason, "a quoted field is not closed");
    if (row.textAfterQuote) return Reject(reason, "text follows a closing quote");
    if (row.fieldCount != map.headerFields) {
        *reason = std::to_string(row.fieldCount) + " fields where the header has " + std::to_string(map.headerFields);
        return false;
    }
    std::string_view values[kColumnCount];
    std::string_view date = TrimmedBoth(Value(row, map, kDate));
    std::string_view time = TrimmedBoth(Value(row, map, kTime));
    if (date.empty()) return Reject(reason, "Date is empty");
    if (!ReadImportDate(date, record->Date)) return Reject(reason, "Date " + Shown(date) + " is not a valid date");
    if (time.empty()) return Reject(reason, "Time is empty");
    if (!ReadImportTime(time, record->Time)) return Reject(reason, "Time " + Shown(time) + " is not a valid time");
    values[kFreq] = FrequencyValue(Value(row, map, kFreq));
    for (int column : {kStation, kLocation, kRemarks}) values[column] = TrimmedRight(Value(row, map, column));
    if (values[kStation].empty()) return Reject(reason, "Station is empty");
    for (int column : {kFreq, kStation, kLocation, kRemarks}) {
        if (values[column].size() > kColumnWidths[column]) {
            *reason = std::string(kColumnNames[column]) + " longer than " + std::to_string(kColumnWidths[column]);
            return false;
        }
    }
    FillField(record->Freq, values[kFreq]);
    FillField(record->Station, values[kStation]);
    FillField(record->Location, values[kLocation]);
    FillField(record->Remarks, values[kRemarks]);
    return true;
}

// The whole file in one read when it is not too large; a larger one is read
// only one byte past the limit.
bool ReadWholeFile(const std::string& path, std::string* bytes) {
    PlatformFile file;
    if (!FileOpen(path.c_str(), FileAccess::ReadOnly, &file)) return false;
    int64_t size = 0;
    bool ok = FileSize(file, &size);
    if (ok) bytes->resize(static_cast<size_t>(std::min<int64_t>(size, kLargestImport + 1)));
    size_t done = 0;
    while (ok && done < bytes->size()) {
        size_t got = 0;
        ok = FileReadAt(file, static_cast<int64_t>(done), &(*bytes)[done], bytes->size() - done, &got);
        if (got == 0) bytes->resize(done);
        done += got;
    }
    FileClose(&file);
    return ok;
}

ImportPlan Refusal(const std::string& reason) {
    ImportPlan plan;
    plan.refused = true;
    plan.refusal = reason;
    return plan;
}

void Skip(ImportPlan* plan, int64_t line, const std::string& reason) {
    if (plan->skipped == 0) {
        plan->firstSkippedLine = line;
        plan->firstSkipReason = reason;
    }
    plan->skipped += 1;
}

std::string SkipLine(const ImportPlan& plan) {
    if (plan.skipped == 0) return "";
    return "\r\n\r\n" + std::to_string(plan.skipped) + " lines will be skipped; the first, line " +
           std::to_string(plan.firstSkippedLine) + ": " + plan.firstSkipReason + ".";
}

}  // namespace

ImportPlan PlanImport(const std::string& fileBytes) {
    if (fileBytes.empty()) return Refusal("the file is empty");
    std::string_view text(fileBytes);
    // A header line never holds a zero byte; a damaged record further on may.
    if (text.substr(0, text.find_first_of("\r\n")).find('\0') != std::string_view::npos) {
        return Refusal("it is not a text file");
    }
    text.remove_prefix(Utf8BomLength(text));
    std::string converted;
    if (ConvertUtf8(text, &converted)) text = converted;
    CsvReader reader;
    reader.text = text;
    reader.separator = FindSeparator(text);
    if (reader.separator == 0) return Refusal("its first line has no comma or semicolon, so it is not a CSV file");
    CsvRow row;
    NextCsvRow(&reader, &row);
    ColumnMap map;
    std::string refusal;
    if (!MapColumns(row, &map, &refusal)) return Refusal(refusal);
    ImportPlan plan;
    // Room for a report a line, within reason for a file that is all line ends.
    size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    plan.records.reserve(std::min({lines, text.size() / 16 + 1, kRecordsReservedAtMost}));
    LogEntry record;
    std::string reason;
    while (NextCsvRow(&reader, &row)) {
        if (IsBlankRow(row) && !row.unclosedQuote && !row.textAfterQuote) continue;
        if (RowToRecord(row, map, &record, &reason)) {
            plan.records.push_back(record);
        } else {
            Skip(&plan, row.line, reason);
        }
    }
    return plan;
}

ImportPlan ImportPlanForFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) return Refusal("it could not be read");
    if (bytes.size() > kLargestImport) return Refusal("it is larger than 256 MB");
    return PlanImport(bytes);
}

std::string ImportQuestionText(const ImportPlan& plan, const std::string& logPath) {
    return "Add " + std::to_string(plan.records.size()) + " reports to " + logPath + "?" + SkipLine(plan);
}

std::string NothingToImportText(const ImportPlan& plan) { return "Nothing to import" + SkipLine(plan); }

std::string ImportRefusalText(const ImportPlan& plan, const std::string& csvPath) {
    return csvPath + " cannot be imported: " + plan.refusal + ".";
}
