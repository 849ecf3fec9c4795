#include "reports/csv_import.h"

#include <algorithm>

#include "app/shared_values.h"
#include "platform/file.h"
#include "reports/csv_rows.h"
#include "reports/report_values.h"
#include "reports/text_encoding.h"

namespace {

// Far more lines than any log a listener keeps, yet little memory.
constexpr size_t kLargestImport = size_t{256} << 20;

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

bool SameName(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string TrimmedBoth(const std::string& text) {
    const char* data = text.data();
    size_t length = text.size();
    TrimBlanks(&data, &length);
    return std::string(data, length);
}

int ColumnOfName(const std::string& header) {
    std::string name = TrimmedBoth(header);
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
std::string Shown(const std::string& value) {
    std::string shown = value.size() > 20 ? value.substr(0, 20) + "..." : value;
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    return shown;
}

bool AllDigits(const std::string& text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

int Number(const std::string& text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

int MonthOfName(const std::string& text, size_t from) {
    for (int month = 1; month <= 12; ++month) {
        if (SameName(text.substr(from, 3), MonthName(kMonthShort, month))) return month;
    }
    return 0;
}

// DD Mon YYYY, DD-MM-YYYY, YYYY-MM-DD or DD/MM/YYYY, as the log's DD-MM-YYYY.
bool ReadImportDate(const std::string& text, std::string* date) {
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
    char stored[11];
    stored[0] = static_cast<char>('0' + day / 10);
    stored[1] = static_cast<char>('0' + day % 10);
    stored[2] = '-';
    stored[3] = static_cast<char>('0' + month / 10);
    stored[4] = static_cast<char>('0' + month % 10);
    stored[5] = '-';
    for (int i = 3; i >= 0; --i, year /= 10) stored[6 + i] = static_cast<char>('0' + year % 10);
    date->assign(stored, 10);
    return true;
}

// HH:MM or HHMM, as the log's HH:MM.
bool ReadImportTime(const std::string& text, std::string* time) {
    std::string colon;
    if (text.size() == 4 && AllDigits(text, 0, 4)) {
        colon = text.substr(0, 2) + ":" + text.substr(2);
    } else {
        colon = text;
    }
    TimeOfDay parsed;
    if (!ReadColonTime(colon.data(), colon.size(), &parsed)) return false;
    *time = colon;
    return true;
}

std::string TrimmedRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

// Any text, without one trailing "kHz" in any letter case.
std::string FrequencyValue(const std::string& text) {
    std::string value = TrimmedRight(text);
    if (value.size() >= 3 && SameName(value.substr(value.size() - 3), "kHz")) {
        value = TrimmedRight(value.substr(0, value.size() - 3));
    }
    return value;
}

const std::string& Value(const CsvRow& row, const ColumnMap& map, int column) {
    static const std::string kBlank;
    int at = map.at[column];
    return at < 0 ? kBlank : row.fields[static_cast<size_t>(at)];
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
    std::string values[kColumnCount];
    std::string date = TrimmedBoth(Value(row, map, kDate));
    std::string time = TrimmedBoth(Value(row, map, kTime));
    if (date.empty()) return Reject(reason, "Date is empty");
    if (!ReadImportDate(date, &values[kDate])) return Reject(reason, "Date " + Shown(date) + " is not a valid date");
    if (time.empty()) return Reject(reason, "Time is empty");
    if (!ReadImportTime(time, &values[kTime])) return Reject(reason, "Time " + Shown(time) + " is not a valid time");
    values[kFreq] = FrequencyValue(Value(row, map, kFreq));
    for (int column : {kStation, kLocation, kRemarks}) values[column] = TrimmedRight(Value(row, map, column));
    if (values[kStation].empty()) return Reject(reason, "Station is empty");
    for (int column : {kFreq, kStation, kLocation, kRemarks}) {
        if (values[column].size() > kColumnWidths[column]) {
            *reason = std::string(kColumnNames[column]) + " longer than " + std::to_string(kColumnWidths[column]);
            return false;
        }
    }
    FillField(record->Date, values[kDate]);
    FillField(record->Time, values[kTime]);
    FillField(record->Freq, values[kFreq]);
    FillField(record->Station, values[kStation]);
    FillField(record->Location, values[kLocation]);
    FillField(record->Remarks, values[kRemarks]);
    return true;
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
    // A header line never holds a zero byte; a damaged record further on may.
    if (fileBytes.substr(0, fileBytes.find_first_of("\r\n")).find('\0') != std::string::npos) {
        return Refusal("it is not a text file");
    }
    std::string text = TextInCodePage1252(fileBytes);
    CsvReader reader;
    reader.text = &text;
    reader.separator = FindSeparator(text);
    if (reader.separator == 0) return Refusal("its first line has no comma or semicolon, so it is not a CSV file");
    CsvRow row;
    NextCsvRow(&reader, &row);
    ColumnMap map;
    std::string refusal;
    if (!MapColumns(row, &map, &refusal)) return Refusal(refusal);
    ImportPlan plan;
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
    if (!FileReadAll(path.c_str(), &bytes, kLargestImport + 1)) return Refusal("it could not be read");
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
