#include "exchange/adif_import.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "exchange/adif_reader.h"
#include "exchange/adif_values.h"
#include "platform/file.h"
#include "records/code_page_1252.h"
#include "records/text_trim.h"
#include "schedule/candidate_text.h"

namespace {

// Far more records than any log a listener keeps; the same limit as the CSV import's.
constexpr int64_t kLargestImport = int64_t{256} << 20;

// The fields a report is made of; every other is passed over.
enum Field {
    kQsoDate,
    kTimeOn,
    kFreq,
    kCall,
    kQth,
    kCountry,
    kComment,
    kNotes,
    kExactFreq,
    kExactStation,
    kExactLocation,
    kExactRemarks,
    kFieldCount
};

const std::string_view kFieldNames[kFieldCount] = {
    "QSO_DATE",
    "TIME_ON",
    "FREQ",
    "CALL",
    "QTH",
    "COUNTRY",
    "COMMENT",
    "NOTES",
    "APP_ULMAR_FREQ",
    "APP_ULMAR_STATION",
    "APP_ULMAR_LOCATION",
    "APP_ULMAR_REMARKS",
};

// One record as it is read: its fields of interest (the first of each name)
// and the first damage met in it.
struct RecordFields {
    std::string values[kFieldCount];
    bool present[kFieldCount] = {};
    bool any = false;
    std::string damage;
};

void Clear(RecordFields* fields) {
    for (int i = 0; i < kFieldCount; ++i) fields->present[i] = false;
    fields->any = false;
    fields->damage.clear();
}

// The field of `name`, kFieldCount for any other.
int FieldOfName(std::string_view name) {
    for (int i = 0; i < kFieldCount; ++i) {
        const std::string_view known = kFieldNames[i];
        if (name.size() == known.size() && name[0] == known[0] && name == known) return i;
    }
    return kFieldCount;
}

// The fields that decide whether a record is a report; a plan reads only these.
bool DecidesReport(int field) { return field == kQsoDate || field == kTimeOn || field == kFreq || field == kExactFreq; }

// Keeps the item's data when it is a field of interest (with `texts` false,
// one that decides whether the record is a report).
void Keep(RecordFields* fields, const AdifItem& item, bool texts) {
    fields->any = true;
    if (item.data.empty()) return;  // a field of length 0 is a missing field
    int field = FieldOfName(item.name);
    if (field == kFieldCount || fields->present[field] || (!texts && !DecidesReport(field))) return;
    fields->values[field].assign(item.data.data(), item.data.size());
    fields->present[field] = true;
}

struct RecordReading {
    bool utf8 = false;
    std::string converted[kFieldCount];
};

// A field's text in the log's code page, "" when the record lacks it.
const std::string& TextOf(const RecordFields& fields, int field, RecordReading* reading) {
    static const std::string kMissing;
    if (!fields.present[field]) return kMissing;
    const std::string& value = fields.values[field];
    if (reading->utf8 && Utf8ToCodePage1252(value, &reading->converted[field])) return reading->converted[field];
    return value;
}

// The first of the fields the record has, in the log's code page.
const std::string& FirstOf(const RecordFields& fields, std::initializer_list<int> order, RecordReading* reading) {
    for (int field : order) {
        if (fields.present[field]) return TextOf(fields, field, reading);
    }
    return TextOf(fields, *order.begin(), reading);
}

std::string Shown(std::string_view value) {
    std::string shown(value.substr(0, 20));
    if (value.size() > 20) shown += "...";
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    return shown;
}

bool Reject(std::string* reason, const std::string& why) {
    *reason = why;
    return false;
}

bool ReadFrequency(const RecordFields& fields, RecordReading* reading, LogEntry* record, std::string* reason) {
    if (fields.present[kExactFreq]) {
        const std::string& exact = TextOf(fields, kExactFreq, reading);
        if (exact.size() > sizeof record->Freq) return Reject(reason, "APP_ULMAR_FREQ longer than 6");
        FillField(record->Freq, exact);
        return true;
    }
    std::string khz;
    if (fields.present[kFreq] && !MegahertzToKhz(fields.values[kFreq], sizeof record->Freq, &khz)) {
        return Reject(reason, "FREQ " + Shown(fields.values[kFreq]) + " is not a frequency in MHz that fits");
    }
    FillField(record->Freq, khz);
    return true;
}

std::string_view FirstLine(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    return text.substr(0, end);
}

// Station, location and remarks: the exact texts when the record has them,
// else the standard fields trimmed; fitted to their fields.
void FillTexts(const RecordFields& fields, RecordReading* reading, LogEntry* record) {
    std::string_view station = fields.present[kExactStation] ? std::string_view(TextOf(fields, kExactStation, reading))
                                                             : Trimmed(TextOf(fields, kCall, reading));
    if (station.size() > sizeof record->Station) {
        FillField(record->Station, ShortenStation(std::string(station)));
    } else {
        FillField(record->Station, station);
    }
    std::string_view location = fields.present[kExactLocation]
                                    ? std::string_view(TextOf(fields, kExactLocation, reading))
                                    : Trimmed(FirstOf(fields, {kQth, kCountry}, reading));
    FillField(record->Location, location.substr(0, sizeof record->Location));
    std::string_view remarks = TextOf(fields, kExactRemarks, reading);
    if (!fields.present[kExactRemarks]) {
        // COMMENT is one line by its definition; NOTES may hold several.
        remarks = fields.present[kComment] ? Trimmed(TextOf(fields, kComment, reading))
                                           : Trimmed(FirstLine(TextOf(fields, kNotes, reading)));
    }
    FillField(record->Remarks, remarks.substr(0, sizeof record->Remarks));
}

// The record as a report, or the reason it cannot be one.
// Without `texts` only what decides whether it is one is read (a plan keeps no report).
bool FieldsToRecord(const RecordFields& fields, RecordReading* reading, bool texts, LogEntry* record,
                    std::string* reason) {
    if (!fields.damage.empty()) return Reject(reason, fields.damage);
    if (!fields.present[kQsoDate]) return Reject(reason, "it has no QSO_DATE");
    if (!AdifDateToLog(fields.values[kQsoDate], record->Date)) {
        return Reject(reason, "QSO_DATE " + Shown(fields.values[kQsoDate]) + " is not a valid date");
    }
    if (!fields.present[kTimeOn]) return Reject(reason, "it has no TIME_ON");
    if (!AdifTimeToLog(fields.values[kTimeOn], record->Time)) {
        return Reject(reason, "TIME_ON " + Shown(fields.values[kTimeOn]) + " is not a valid time");
    }
    if (!ReadFrequency(fields, reading, record, reason)) return false;
    if (texts) FillTexts(fields, reading, record);
    return true;
}

bool AppendSourceBytes(const ByteSource& source, int64_t offset, size_t count, std::string* bytes) {
    if (!source.file.IsOpen()) {
        bytes->append(source.memory.data() + offset, count);
        return true;
    }
    size_t old = bytes->size();
    bytes->resize(old + count);
    size_t got = 0;
    while (got < count) {
        size_t part = 0;
        if (!FileReadAt(source.file, offset + static_cast<int64_t>(got), &(*bytes)[old + got], count - got, &part) ||
            part == 0) {
            return false;
        }
        got += part;
    }
    return true;
}

ImportPlan Refusal(const std::string& reason) {
    ImportPlan plan;
    plan.refused = true;
    plan.refusal = reason;
    return plan;
}

void Skip(ImportPlan* plan, int64_t number, const std::string& reason) {
    if (plan->skipped == 0) {
        plan->firstSkippedLine = number;
        plan->firstSkipReason = reason;
    }
    plan->skipped += 1;
}

// What the items read so far have made of the file.
struct FileReading {
    ImportPlan plan;
    RecordFields fields;
    RecordReading record;
    int64_t number = 0;       // of the last record ended
    bool tagsOfAdif = false;  // an <EOR> or <EOH> was met
};

// Ends one record; false when the sink stops the reading.
bool EndRecord(FileReading* reading, const ReportSink* sink) {
    reading->number += 1;
    if (!reading->fields.any && reading->fields.damage.empty()) return true;  // an empty record
    LogEntry record;
    std::memset(&record, ' ', sizeof record);
    std::string reason;
    bool made = FieldsToRecord(reading->fields, &reading->record, sink != nullptr, &record, &reason);
    Clear(&reading->fields);
    if (!made) {
        Skip(&reading->plan, reading->number, reason);
        return true;
    }
    reading->plan.reports += 1;
    return !sink || sink->take(record, sink->context);
}

// Takes one item; false when the reading ends.
bool TakeItem(FileReading* reading, AdifItem* item, const ReportSink* sink) {
    switch (item->kind) {
        case AdifItemKind::Field: Keep(&reading->fields, *item, sink != nullptr); return true;
        case AdifItemKind::Damaged:
            if (reading->fields.damage.empty()) reading->fields.damage = item->damage;
            return true;
        case AdifItemKind::EndOfHeader:
            reading->tagsOfAdif = true;
            Clear(&reading->fields);
            return true;
        case AdifItemKind::EndOfRecord: reading->tagsOfAdif = true; return EndRecord(reading, sink);
        case AdifItemKind::End: return false;
    }
    return false;
}

void FinishReading(FileReading* reading) {
    if (!reading->fields.any && reading->fields.damage.empty()) return;
    std::string reason = reading->fields.damage.empty() ? "the file ends before its <EOR>" : reading->fields.damage;
    Skip(&reading->plan, reading->number + 1, reason);
}

ImportPlan ReadRecords(const ByteSource& source, const ReportSink* sink, ImportText text) {
    FileReading reading;
    reading.record.utf8 = text == ImportText::Utf8;
    AdifReader reader;
    OpenAdifReader(&reader, source, reading.record.utf8);
    AdifItem item;
    do {
        NextAdifItem(&reader, &item);
    } while (TakeItem(&reading, &item, sink));
    if (reader.readFailed) return Refusal("it could not be read");
    if (item.kind == AdifItemKind::End) FinishReading(&reading);
    if (!reading.tagsOfAdif) return Refusal("it holds no <EOR> or <EOH>, so it is not an ADIF file");
    reading.plan.text = text;
    reading.plan.fileSize = source.file.IsOpen() ? source.size : static_cast<int64_t>(source.memory.size());
    return reading.plan;
}

// Whether the file is UTF-8 beyond plain ASCII, read a window at a time; a
// character cut by a window's end is read with the next window.
ImportText TextOfSource(const ByteSource& source) {
    std::string window;
    bool beyondAscii = false;
    int64_t size = source.file.IsOpen() ? source.size : static_cast<int64_t>(source.memory.size());
    size_t carried = 0;
    for (int64_t offset = 0; offset < size || carried > 0;) {
        size_t want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(source.windowBytes), size - offset));
        window.erase(0, window.size() - carried);
        if (!AppendSourceBytes(source, offset, want, &window)) return ImportText::CodePage1252;
        offset += static_cast<int64_t>(want);
        std::string_view text(window);
        if (offset == static_cast<int64_t>(want)) text.remove_prefix(Utf8BomLength(text));
        size_t valid = ValidUtf8Length(text, &beyondAscii);
        carried = text.size() - valid;
        if (carried > 0 && (carried >= 4 || offset >= size)) return ImportText::CodePage1252;
    }
    return beyondAscii ? ImportText::Utf8 : ImportText::CodePage1252;
}

ImportPlan ReadSource(const ByteSource& source, const ReportSink* sink, ImportText text) {
    if (text == ImportText::Unknown) text = TextOfSource(source);
    return ReadRecords(source, sink, text);
}

bool KeepRecord(const LogEntry& record, void* context) {
    static_cast<std::vector<LogEntry>*>(context)->push_back(record);
    return true;
}

ImportPlan ReadForAppend(const std::string& path, const ReportSink* sink, ImportText text) {
    return ReadAdifImportFile(path, sink, text);
}

std::string SkipLine(const ImportPlan& plan) {
    if (plan.skipped == 0) return "";
    return "\r\n\r\n" + std::to_string(plan.skipped) + " records will be skipped; the first, record " +
           std::to_string(plan.firstSkippedLine) + ": " + plan.firstSkipReason + ".";
}

}  // namespace

ImportPlan ReadAdifImportFile(const std::string& path, const ReportSink* sink, ImportText text, size_t windowBytes) {
    ByteSource source;
    source.windowBytes = windowBytes < 4 ? 4 : windowBytes;
    if (!FileOpen(path.c_str(), FileAccess::ReadOnly, &source.file)) return Refusal("it could not be read");
    ImportPlan plan;
    if (!FileSize(source.file, &source.size)) {
        plan = Refusal("it could not be read");
    } else if (source.size == 0) {
        plan = Refusal("the file is empty");
    } else if (source.size > kLargestImport) {
        plan = Refusal("it is larger than 256 MB");
    } else {
        plan = ReadSource(source, sink, text);
    }
    FileClose(&source.file);
    return plan;
}

ImportPlan PlanAdifImport(std::string_view fileBytes) {
    if (fileBytes.empty()) return Refusal("the file is empty");
    ByteSource source;
    source.memory = fileBytes;
    std::vector<LogEntry> records;
    ReportSink keep{KeepRecord, &records};
    ImportPlan plan = ReadSource(source, &keep, ImportText::Unknown);
    plan.records = std::move(records);
    return plan;
}

ImportPlan AdifImportPlanForFile(const std::string& path) {
    return ReadAdifImportFile(path, nullptr, ImportText::Unknown);
}

ImportWriting AddImportedAdifFile(LogStore& log, const std::string& adifPath, const ImportPlan& plan) {
    return AddImportedRecords(log, adifPath, plan, ReadForAppend);
}

std::string AdifImportQuestionText(const ImportPlan& plan, const std::string& logPath) {
    return "Add " + std::to_string(plan.reports) + " reports to " + logPath + "?" + SkipLine(plan);
}

std::string AdifNothingToImportText(const ImportPlan& plan) { return "Nothing to import" + SkipLine(plan); }

std::string AdifImportRefusalText(const ImportPlan& plan, const std::string& adifPath) {
    return adifPath + " cannot be imported: " + plan.refusal + ".";
}
