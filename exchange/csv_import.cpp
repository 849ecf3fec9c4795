#include "exchange/csv_import.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "exchange/csv_file_reader.h"
#include "exchange/csv_rows.h"
#include "platform/file.h"
#include "records/code_page_1252.h"
#include "records/record_texts.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

// Far more lines than any log a listener keeps.
constexpr size_t kLargestImport = size_t{256} << 20;

// The columns, in the order of the record's fields.
enum Column { kDate, kTime, kFreq, kStation, kLocation, kRemarks, kColumnCount };

const char* const kColumnNames[kColumnCount] = {"Date", "Time", "Freq", "Station", "Location", "Remarks"};
const size_t kColumnWidths[kColumnCount] = {sizeof LogEntry::Date,     sizeof LogEntry::Time,
                                            sizeof LogEntry::Freq,     sizeof LogEntry::Station,
                                            sizeof LogEntry::Location, sizeof LogEntry::Remarks};

// Where each column stands in a row; -1 when the header lacks it.
struct ColumnMap {
    int At[kColumnCount] = {-1, -1, -1, -1, -1, -1};
    size_t HeaderFields = 0;
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

int ColumnOfName(std::string_view header) {
    std::string_view name = Trimmed(header);
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
    map->HeaderFields = header.FieldCount;
    for (size_t i = 0; i < header.FieldCount; ++i) {
        int column = ColumnOfName(header.Fields[i]);
        // When a name comes twice, the first column of that name is read.
        if (column >= 0 && map->At[column] < 0) map->At[column] = static_cast<int>(i);
    }
    std::vector<std::string> missing;
    for (int column : {kDate, kTime, kStation}) {
        if (map->At[column] < 0) missing.push_back(kColumnNames[column]);
    }
    if (missing.empty()) return true;
    *refusal = "it has no " + ListOfNames(missing) + (missing.size() == 1 ? " column" : " columns");
    return false;
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

// Three letters in lower case as one number.
uint32_t LowerKey(const char* letters) {
    return static_cast<uint32_t>(static_cast<unsigned char>(LowerAscii(letters[0]))) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(LowerAscii(letters[1]))) << 8 |
           static_cast<unsigned char>(LowerAscii(letters[2]));
}

// The month of a three-letter name in any letter case; 0 for none. Every line
// of the program's own export has one, so the names are compared as numbers.
int MonthOfName(std::string_view text, size_t from) {
    static const std::vector<uint32_t> keys = [] {
        std::vector<uint32_t> made;
        for (int month = 1; month <= 12; ++month) made.push_back(LowerKey(MonthName(kMonthShort, month)));
        return made;
    }();
    uint32_t key = LowerKey(text.data() + from);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) return static_cast<int>(i) + 1;
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
    date[6] = static_cast<char>('0' + year / 1000);
    date[7] = static_cast<char>('0' + year / 100 % 10);
    date[8] = static_cast<char>('0' + year / 10 % 10);
    date[9] = static_cast<char>('0' + year % 10);
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
    static const uint32_t kKhz = LowerKey("kHz");
    std::string_view value = TrimmedEnd(text);
    if (value.size() >= 3 && LowerKey(value.data() + value.size() - 3) == kKhz) {
        value = TrimmedEnd(value.substr(0, value.size() - 3));
    }
    return value;
}

// How the rows of one file are read: its columns, and whether its values are
// UTF-8 to be converted. Values are converted one by one, as they are used;
// the separators, quotes and line breaks of UTF-8 are the same bytes as in
// code page 1252, so the rows split the same either way.
struct RowReading {
    ColumnMap Map;
    bool Convert = false;
    std::string Converted[kColumnCount];
};

std::string_view Value(const CsvRow& row, RowReading* reading, int column) {
    int at = reading->Map.At[column];
    std::string_view value = at < 0 ? std::string_view() : row.Fields[static_cast<size_t>(at)];
    if (reading->Convert && Utf8ToCodePage1252(value, &reading->Converted[column])) return reading->Converted[column];
    return value;
}

bool IsBlankRow(const CsvRow& row) {
    for (size_t i = 0; i < row.FieldCount; ++i) {
        if (row.Fields[i].find_first_not_of(' ') != std::string::npos) return false;
    }
    return true;
}

bool Reject(std::string* reason, const std::string& why) {
    *reason = why;
    return false;
}

// The row as a record, or the reason it cannot be one.
bool RowToRecord(const CsvRow& row, RowReading* reading, LogEntry* record, std::string* reason) {
    const ColumnMap& map = reading->Map;
    if (row.UnclosedQuote) return Reject(reason, "a quoted field is not closed");
    if (row.TextAfterQuote) return Reject(reason, "text follows a closing quote");
    if (row.FieldCount != map.HeaderFields) {
        *reason = std::to_string(row.FieldCount) + " fields where the header has " + std::to_string(map.HeaderFields);
        return false;
    }
    std::string_view values[kColumnCount];
    std::string_view date = Trimmed(Value(row, reading, kDate));
    std::string_view time = Trimmed(Value(row, reading, kTime));
    if (date.empty()) return Reject(reason, "Date is empty");
    if (!ReadImportDate(date, record->Date))
        return Reject(reason, "Date " + ShownInReason(date) + " is not a valid date");
    if (time.empty()) return Reject(reason, "Time is empty");
    if (!ReadImportTime(time, record->Time))
        return Reject(reason, "Time " + ShownInReason(time) + " is not a valid time");
    values[kFreq] = FrequencyValue(Value(row, reading, kFreq));
    for (int column : {kStation, kLocation, kRemarks}) values[column] = TrimmedEnd(Value(row, reading, column));
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

std::string SkipLine(const ImportPlan& plan) {
    if (plan.Skipped == 0) return "";
    return "\r\n\r\n" + std::to_string(plan.Skipped) + " lines will be skipped; the first, line " +
           std::to_string(plan.FirstSkippedLine) + ": " + plan.FirstSkipReason + ".";
}

// Widens the first window until it holds the whole header line.
void HoldFirstLine(CsvWindow* window) {
    for (;;) {
        std::string_view text = window->Reader.Text;
        bool decided = false;
        FindSeparator(text.substr(std::min(text.size(), Utf8BomLength(text))), &decided);
        bool lineHeld = text.find_first_of("\r\n") != std::string_view::npos;
        if ((lineHeld && decided) || !WidenCsvWindow(window)) return;
    }
}

// Steps over the byte-order mark and sets the separator; the refusal of a
// file that is not a CSV text, or "" for one that is.
std::string ReadHeaderLine(CsvWindow* window, size_t* bom) {
    HoldFirstLine(window);
    if (window->ReadFailed) return "it could not be read";
    std::string_view text = window->Reader.Text;
    if (text.empty()) return "the file is empty";
    // A header line never holds a zero byte; a damaged record further on may.
    if (text.substr(0, text.find_first_of("\r\n")).find('\0') != std::string_view::npos) {
        return "it is not a text file";
    }
    *bom = Utf8BomLength(text);
    window->Reader.At = *bom;
    window->Reader.Separator = FindSeparator(text.substr(*bom));
    if (window->Reader.Separator == 0) return "its first line has no comma or semicolon, so it is not a CSV file";
    return "";
}

// The rows of the source read as `text` (UTF-8 or code page 1252); the
// window tallies on the way whether the bytes are UTF-8.
ImportPlan ReadRows(const ByteSource& source, const ReportSink* sink, ImportText text, CsvWindow* window) {
    OpenCsvWindow(window, source);
    size_t bom = 0;
    std::string refusal = ReadHeaderLine(window, &bom);
    if (!refusal.empty()) return RefusedImport(refusal);
    window->TallyFrom = bom;
    RowReading reading;
    reading.Convert = text == ImportText::Utf8;
    CsvRow row;
    NextWindowRow(window, &row);
    if (!MapColumns(row, &reading.Map, &refusal)) return RefusedImport(refusal);
    ImportPlan plan;
    plan.Text = text;
    plan.FileSize = source.File.IsOpen() ? source.Size : static_cast<int64_t>(source.Memory.size());
    LogEntry record;
    std::string reason;
    while (NextWindowRow(window, &row)) {
        if (IsBlankRow(row) && !row.UnclosedQuote && !row.TextAfterQuote) continue;
        if (!RowToRecord(row, &reading, &record, &reason)) {
            SkipInPlan(&plan, row.Line, reason);
            continue;
        }
        plan.Reports += 1;
        if (sink && !sink->Take(record, sink->Context)) return plan;
    }
    if (window->ReadFailed) return RefusedImport("it could not be read");
    FinishCsvWindow(window);
    return plan;
}

// A text that is valid UTF-8 after its byte-order mark and holds more than
// plain ASCII is read as UTF-8; any other as code page 1252.
ImportText TextOfMemory(std::string_view bytes) {
    std::string_view text = bytes.substr(Utf8BomLength(bytes));
    bool beyondAscii = false;
    bool utf8 = ValidUtf8Length(text, &beyondAscii) == text.size() && beyondAscii;
    return utf8 ? ImportText::Utf8 : ImportText::CodePage1252;
}

ImportPlan ReadImport(const ByteSource& source, const ReportSink* sink, ImportText text) {
    CsvWindow window;
    if (text == ImportText::Unknown && !source.File.IsOpen()) text = TextOfMemory(source.Memory);
    if (text != ImportText::Unknown) return ReadRows(source, sink, text, &window);
    // A file is read as code page 1252 while the window tallies whether it is
    // UTF-8 after all: most files are read once. Reports are handed on only
    // once the text is known.
    ImportPlan plan = ReadRows(source, nullptr, ImportText::CodePage1252, &window);
    bool utf8 = !window.NotUtf8 && window.BeyondAscii;
    if (plan.Refused || (!utf8 && !sink)) return plan;
    return ReadRows(source, sink, utf8 ? ImportText::Utf8 : ImportText::CodePage1252, &window);
}

bool KeepRecord(const LogEntry& record, void* context) {
    static_cast<std::vector<LogEntry>*>(context)->push_back(record);
    return true;
}

}  // namespace

ImportPlan ReadImportFile(const std::string& path, const ReportSink* sink, ImportText text, size_t windowBytes) {
    return PlanFileImport(path, windowBytes, false, ReadImport, sink, text);
}

ImportPlan PlanFileImport(const std::string& path, size_t windowBytes, bool refuseEmpty, SourceReading read,
                          const ReportSink* sink, ImportText text) {
    ByteSource source;
    source.WindowBytes = windowBytes < 4 ? 4 : windowBytes;
    source.Progress = &ImportProgress;
    if (!FileOpen(path.c_str(), FileAccess::ReadOnly, &source.File)) return RefusedImport("it could not be read");
    ImportPlan plan;
    if (!FileSize(source.File, &source.Size)) {
        plan = RefusedImport("it could not be read");
    } else if (refuseEmpty && source.Size == 0) {
        plan = RefusedImport("the file is empty");
    } else if (source.Size > static_cast<int64_t>(kLargestImport)) {
        plan = RefusedImport("it is larger than 256 MB");
    } else {
        plan = read(source, sink, text);
    }
    FileClose(&source.File);
    return plan;
}

ImportPlan PlanImport(std::string_view fileBytes) { return PlanBytesImport(fileBytes, ReadImport); }

ImportPlan PlanBytesImport(std::string_view bytes, SourceReading read) {
    ByteSource source;
    source.Memory = bytes;
    std::vector<LogEntry> records;
    ReportSink keep{KeepRecord, &records};
    ImportPlan plan = read(source, &keep, ImportText::Unknown);
    plan.Records = std::move(records);
    return plan;
}

ImportPlan ImportPlanForFile(const std::string& path) { return ReadImportFile(path, nullptr, ImportText::Unknown); }

std::string ImportQuestionText(const ImportPlan& plan, const std::string& logPath) {
    return "Add " + std::to_string(plan.Reports) + " reports to " + logPath + "?" + SkipLine(plan);
}

std::string NothingToImportText(const ImportPlan& plan) { return "Nothing to import" + SkipLine(plan); }

std::string ImportRefusalText(const ImportPlan& plan, const std::string& csvPath) {
    return csvPath + " cannot be imported: " + plan.Refusal + ".";
}

ImportPlan RefusedImport(const std::string& reason) {
    ImportPlan plan;
    plan.Refused = true;
    plan.Refusal = reason;
    return plan;
}

void SkipInPlan(ImportPlan* plan, int64_t number, const std::string& reason) {
    if (plan->Skipped == 0) {
        plan->FirstSkippedLine = number;
        plan->FirstSkipReason = reason;
    }
    plan->Skipped += 1;
}

std::string ShownInReason(std::string_view value) {
    std::string shown(value.substr(0, 20));
    if (value.size() > 20) shown += "...";
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    return shown;
}
