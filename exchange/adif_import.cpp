#include "exchange/adif_import.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "exchange/adif_reader.h"
#include "exchange/adif_register.h"
#include "exchange/adif_values.h"
#include "platform/file.h"
#include "records/byte_words.h"
#include "records/code_page_1252.h"
#include "records/text_trim.h"
#include "schedule/candidate_text.h"

namespace {

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
    kRstSent,  // the register's fields (exchange/adif_register.h)
    kQslSent,
    kQslSentDate,
    kQslSentVia,
    kQslReceived,
    kQslReceivedDate,
    kQslReceivedVia,
    kQslMessage,
    kSinpo,
    kDetails,
    kSentVia,
    kReplyKind,
    kReplyNote,
    kFieldCount
};

constexpr std::string_view kFieldNames[kFieldCount] = {
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
    "RST_SENT",
    "QSL_SENT",
    "QSLSDATE",
    "QSL_SENT_VIA",
    "QSL_RCVD",
    "QSLRDATE",
    "QSL_RCVD_VIA",
    "QSLMSG_RCVD",
    "APP_ULMAR_SINPO",
    "APP_ULMAR_DETAILS",
    "APP_ULMAR_SENT_VIA",
    "APP_ULMAR_REPLY_KIND",
    "APP_ULMAR_REPLY_NOTE",
};

// One record as it is read: its fields of interest (the first of each name)
// and the first damage met in it. The values are kept one after the other in
// `kept`, so that keeping one is a copy of its bytes and a new record starts
// with nothing to free; its room grows only for a record of long values.
struct RecordFields {
    std::string_view Values[kFieldCount];
    bool Present[kFieldCount] = {};
    bool Any = false;
    std::string Damage;
    std::string Kept = std::string(kAdifKeptData, '\0');
    size_t KeptBytes = 0;
};

void Clear(RecordFields* fields) {
    std::memset(fields->Present, 0, sizeof fields->Present);
    fields->Any = false;
    fields->Damage.clear();
    fields->KeptBytes = 0;
}

// Room in `kept` for `more` bytes after those kept, the values moved along.
void MakeRoom(RecordFields* fields, size_t more) {
    if (fields->KeptBytes + more <= fields->Kept.size()) return;
    size_t at[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i)
        at[i] = fields->Present[i] ? fields->Values[i].data() - fields->Kept.data() : 0;
    fields->Kept.resize(2 * (fields->KeptBytes + more));
    for (int i = 0; i < kFieldCount; ++i) {
        if (fields->Present[i]) fields->Values[i] = std::string_view(&fields->Kept[at[i]], fields->Values[i].size());
    }
}

constexpr size_t LongestFieldName() {
    size_t longest = 0;
    for (std::string_view name : kFieldNames) longest = std::max(longest, name.size());
    return longest;
}

// A name as AdifItem keeps it (zero beyond its end to a whole word) made
// into one key: a name of interest has at most three words, and the key
// holds each of them, so two names with the same key are the same name.
constexpr size_t kNameWords = 3;
static_assert(LongestFieldName() <= kNameWords * sizeof(uint64_t), "a name of interest has at most three words");
struct NameKey {
    uint64_t First, Middle, Last;
    size_t Length;
};

// `length` is not 0.
NameKey KeyOfName(const char* name, size_t length) {
    size_t last = (length - 1) / sizeof(uint64_t);
    uint64_t middle = last >= 1 ? WordAt(name + sizeof(uint64_t)) : 0;
    return {WordAt(name), middle, WordAt(name + last * sizeof(uint64_t)), length};
}

bool SameKey(const NameKey& a, const NameKey& b) {
    return ((a.First ^ b.First) | (a.Middle ^ b.Middle) | (a.Last ^ b.Last) | (a.Length ^ b.Length)) == 0;
}

// The fields of interest in an open hash table of their keys: a name is
// mostly looked up in one step, without a loop over names.
struct FieldsByName {
    static constexpr size_t kSlots = 256;  // ten times the names: few share a slot
    NameKey Keys[kFieldCount];
    int8_t Slots[kSlots];
    static size_t SlotOf(const NameKey& key) {
        uint64_t mixed = key.First + 3 * key.Middle + 5 * key.Last + key.Length;
        return static_cast<size_t>((mixed * 0x9E3779B97F4A7C15) >> 56);
    }
    FieldsByName() : Slots() {
        std::memset(Slots, -1, sizeof Slots);
        for (int i = 0; i < kFieldCount; ++i) {
            char padded[kNameWords * sizeof(uint64_t)] = {};
            std::memcpy(padded, kFieldNames[i].data(), kFieldNames[i].size());
            Keys[i] = KeyOfName(padded, kFieldNames[i].size());
            size_t slot = SlotOf(Keys[i]);
            while (Slots[slot] >= 0) slot = (slot + 1) % kSlots;
            Slots[slot] = static_cast<int8_t>(i);
        }
    }
};
// At namespace scope: every field of every record looks a name up, and a
// function's own static would be checked for its first use each time.
const FieldsByName kFieldsByName;

// The field of the item's name, kFieldCount for any other.
int FieldOfName(const AdifItem& item) {
    size_t length = item.Name.size();
    if (length == 0 || length > LongestFieldName()) return kFieldCount;
    NameKey key = KeyOfName(item.NameBytes, length);
    for (size_t slot = FieldsByName::SlotOf(key);; slot = (slot + 1) % FieldsByName::kSlots) {
        int field = kFieldsByName.Slots[slot];
        if (field < 0) return kFieldCount;
        if (SameKey(key, kFieldsByName.Keys[field])) return field;
    }
}

// The fields that decide whether a record is a report; a plan reads only these.
bool DecidesReport(int field) { return field == kQsoDate || field == kTimeOn || field == kFreq || field == kExactFreq; }

// Keeps the item's data when it is a field of interest (with `texts` false,
// one that decides whether the record is a report).
void Keep(RecordFields* fields, const AdifItem& item, bool texts) {
    fields->Any = true;
    if (item.Data.empty()) return;  // a field of length 0 is a missing field
    int field = FieldOfName(item);
    if (field == kFieldCount || fields->Present[field] || (!texts && !DecidesReport(field))) return;
    MakeRoom(fields, item.Data.size());
    char* kept = &fields->Kept[fields->KeptBytes];
    std::memcpy(kept, item.Data.data(), item.Data.size());
    fields->KeptBytes += item.Data.size();
    fields->Values[field] = std::string_view(kept, item.Data.size());
    fields->Present[field] = true;
}

struct RecordReading {
    bool Utf8 = false;
    std::string Converted[kFieldCount];
};

// A field's text in the log's code page, "" when the record lacks it.
std::string_view TextOf(const RecordFields& fields, int field, RecordReading* reading) {
    if (!fields.Present[field]) return {};
    std::string_view value = fields.Values[field];
    if (reading->Utf8 && Utf8ToCodePage1252(value, &reading->Converted[field])) return reading->Converted[field];
    return value;
}

// The first of the fields the record has, in the log's code page.
std::string_view FirstOf(const RecordFields& fields, std::initializer_list<int> order, RecordReading* reading) {
    for (int field : order) {
        if (fields.Present[field]) return TextOf(fields, field, reading);
    }
    return TextOf(fields, *order.begin(), reading);
}

bool Reject(std::string* reason, const std::string& why) {
    *reason = why;
    return false;
}

bool ReadFrequency(const RecordFields& fields, RecordReading* reading, LogEntry* record, std::string* reason) {
    if (fields.Present[kExactFreq]) {
        std::string_view exact = TextOf(fields, kExactFreq, reading);
        if (exact.size() > sizeof record->Freq) return Reject(reason, "APP_ULMAR_FREQ longer than 6");
        FillField(record->Freq, exact);
        return true;
    }
    if (!fields.Present[kFreq]) return true;  // the record was cleared to blanks
    if (!MegahertzToKhz(fields.Values[kFreq], record->Freq, sizeof record->Freq)) {
        return Reject(reason, "FREQ " + ShownInReason(fields.Values[kFreq]) + " is not a frequency in MHz that fits");
    }
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
    std::string_view station = fields.Present[kExactStation] ? std::string_view(TextOf(fields, kExactStation, reading))
                                                             : Trimmed(TextOf(fields, kCall, reading));
    if (station.size() > sizeof record->Station) {
        FillField(record->Station, ShortenStation(std::string(station)));
    } else {
        FillField(record->Station, station);
    }
    std::string_view location = fields.Present[kExactLocation]
                                    ? std::string_view(TextOf(fields, kExactLocation, reading))
                                    : Trimmed(FirstOf(fields, {kQth, kCountry}, reading));
    FillField(record->Location, location.substr(0, sizeof record->Location));
    std::string_view remarks = TextOf(fields, kExactRemarks, reading);
    if (!fields.Present[kExactRemarks]) {
        // COMMENT is one line by its definition; NOTES may hold several.
        remarks = fields.Present[kComment] ? Trimmed(TextOf(fields, kComment, reading))
                                           : Trimmed(FirstLine(TextOf(fields, kNotes, reading)));
    }
    FillField(record->Remarks, remarks.substr(0, sizeof record->Remarks));
}

// The record as a report, or the reason it cannot be one.
// Without `texts` only what decides whether it is one is read (a plan keeps no report).
bool FieldsToRecord(const RecordFields& fields, RecordReading* reading, bool texts, LogEntry* record,
                    std::string* reason) {
    if (!fields.Damage.empty()) return Reject(reason, fields.Damage);
    if (!fields.Present[kQsoDate]) return Reject(reason, "it has no QSO_DATE");
    if (!AdifDateToLog(fields.Values[kQsoDate], record->Date)) {
        return Reject(reason, "QSO_DATE " + ShownInReason(fields.Values[kQsoDate]) + " is not a valid date");
    }
    if (!fields.Present[kTimeOn]) return Reject(reason, "it has no TIME_ON");
    if (!AdifTimeToLog(fields.Values[kTimeOn], record->Time)) {
        return Reject(reason, "TIME_ON " + ShownInReason(fields.Values[kTimeOn]) + " is not a valid time");
    }
    if (!ReadFrequency(fields, reading, record, reason)) return false;
    if (texts) FillTexts(fields, reading, record);
    return true;
}

// Whether the record holds any of the register's fields: most hold none, and
// their row is empty without reading a text.
bool HasRegisterFields(const RecordFields& fields) {
    for (int field = kRstSent; field <= kReplyNote; ++field) {
        if (fields.Present[field]) return true;
    }
    return false;
}

RegisterRow RowOfFields(const RecordFields& fields, RecordReading* reading) {
    auto text = [&](int field) { return std::string(TextOf(fields, field, reading)); };
    return RegisterRowOfAdif({text(kRstSent), text(kQslSent), text(kQslSentDate), text(kQslSentVia), text(kQslReceived),
                              text(kQslReceivedDate), text(kQslReceivedVia), text(kQslMessage), text(kSinpo),
                              text(kDetails), text(kSentVia), text(kReplyKind), text(kReplyNote)});
}

bool AppendSourceBytes(const ByteSource& source, int64_t offset, size_t count, std::string* bytes) {
    if (!source.File.IsOpen()) {
        bytes->append(source.Memory.data() + offset, count);
        return true;
    }
    size_t old = bytes->size();
    bytes->resize(old + count);
    size_t got = 0;
    while (got < count) {
        size_t part = 0;
        if (!FileReadAt(source.File, offset + static_cast<int64_t>(got), &(*bytes)[old + got], count - got, &part) ||
            part == 0) {
            return false;
        }
        got += part;
    }
    return true;
}

// What the items read so far have made of the file.
struct FileReading {
    ImportPlan Plan;
    RecordFields Fields;
    RecordReading Record;
    int64_t Number = 0;       // of the last record ended
    bool TagsOfAdif = false;  // an <EOR> or <EOH> was met
};

// Ends one record; false when the sink stops the reading.
bool EndRecord(FileReading* reading, const ReportSink* sink) {
    reading->Number += 1;
    if (!reading->Fields.Any && reading->Fields.Damage.empty()) return true;  // an empty record
    LogEntry record;
    std::memset(&record, ' ', sizeof record);
    std::string reason;
    bool made = FieldsToRecord(reading->Fields, &reading->Record, sink != nullptr, &record, &reason);
    if (made && sink && sink->TakeRow && HasRegisterFields(reading->Fields)) {
        sink->TakeRow(RowOfFields(reading->Fields, &reading->Record), sink->Context);
    }
    Clear(&reading->Fields);
    if (!made) {
        SkipInPlan(&reading->Plan, reading->Number, reason);
        return true;
    }
    reading->Plan.Reports += 1;
    return !sink || sink->Take(record, sink->Context);
}

// Takes one item; false when the reading ends.
bool TakeItem(FileReading* reading, AdifItem* item, const ReportSink* sink) {
    switch (item->Kind) {
        case AdifItemKind::Field: Keep(&reading->Fields, *item, sink != nullptr); return true;
        case AdifItemKind::Damaged:
            if (reading->Fields.Damage.empty()) reading->Fields.Damage = item->Damage;
            return true;
        case AdifItemKind::EndOfHeader:
            reading->TagsOfAdif = true;
            Clear(&reading->Fields);
            return true;
        case AdifItemKind::EndOfRecord: reading->TagsOfAdif = true; return EndRecord(reading, sink);
        case AdifItemKind::End: return false;
    }
    return false;
}

void FinishReading(FileReading* reading) {
    if (!reading->Fields.Any && reading->Fields.Damage.empty()) return;
    std::string reason = reading->Fields.Damage.empty() ? "the file ends before its <EOR>" : reading->Fields.Damage;
    SkipInPlan(&reading->Plan, reading->Number + 1, reason);
}

// The records read with the text `text`; with `tally`, the bytes are tallied
// as they are read and what they turned out to be is said there.
ImportPlan ReadRecords(const ByteSource& source, const ReportSink* sink, ImportText text, AdifText* tally = nullptr) {
    FileReading reading;
    reading.Record.Utf8 = text == ImportText::Utf8;
    AdifReader reader;
    OpenAdifReader(&reader, source, reading.Record.Utf8);
    reader.Tally = tally != nullptr;
    AdifItem item;
    do {
        NextAdifItem(&reader, &item);
    } while (TakeItem(&reading, &item, sink));
    if (tally) *tally = FinishAdifTally(&reader);
    if (reader.ReadFailed) return RefusedImport("it could not be read");
    if (item.Kind == AdifItemKind::End) FinishReading(&reading);
    if (!reading.TagsOfAdif) return RefusedImport("it holds no <EOR> or <EOH>, so it is not an ADIF file");
    reading.Plan.Text = text;
    reading.Plan.FileSize = source.File.IsOpen() ? source.Size : static_cast<int64_t>(source.Memory.size());
    return reading.Plan;
}

// Whether the file is UTF-8 beyond plain ASCII, read a window at a time; a
// character cut by a window's end is read with the next window.
ImportText TextOfSource(const ByteSource& source) {
    std::string window;
    bool beyondAscii = false;
    int64_t size = source.File.IsOpen() ? source.Size : static_cast<int64_t>(source.Memory.size());
    size_t carried = 0;
    for (int64_t offset = 0; offset < size || carried > 0;) {
        size_t want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(source.WindowBytes), size - offset));
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
    if (text != ImportText::Unknown) return ReadRecords(source, sink, text);
    // Records handed on cannot be taken back: the text is found first.
    if (sink) return ReadRecords(source, sink, TextOfSource(source));
    // A plan keeps nothing, so it reads the file as UTF-8 while tallying its
    // bytes, and reads it again only when they turn out to be something else.
    AdifText found = AdifText::Unknown;
    ImportPlan plan = ReadRecords(source, nullptr, ImportText::Utf8, &found);
    switch (found) {
        case AdifText::Utf8: return plan;
        case AdifText::Ascii:  // read alike either way
            if (!plan.Refused) plan.Text = ImportText::CodePage1252;
            return plan;
        case AdifText::NotUtf8: return ReadRecords(source, nullptr, ImportText::CodePage1252);
        case AdifText::Unknown: break;
    }
    return ReadRecords(source, nullptr, TextOfSource(source));
}

ImportPlan ReadForAppend(const std::string& path, const ReportSink* sink, ImportText text) {
    return ReadAdifImportFile(path, sink, text);
}

std::string SkipLine(const ImportPlan& plan) {
    if (plan.Skipped == 0) return "";
    return "\r\n\r\n" + std::to_string(plan.Skipped) + " records will be skipped; the first, record " +
           std::to_string(plan.FirstSkippedLine) + ": " + plan.FirstSkipReason + ".";
}

}  // namespace

ImportPlan ReadAdifImportFile(const std::string& path, const ReportSink* sink, ImportText text, size_t windowBytes) {
    return PlanFileImport(path, windowBytes, true, ReadSource, sink, text);
}

ImportPlan PlanAdifImport(std::string_view fileBytes) {
    if (fileBytes.empty()) return RefusedImport("the file is empty");
    return PlanBytesImport(fileBytes, ReadSource);
}

ImportPlan AdifImportPlanForFile(const std::string& path) {
    return ReadAdifImportFile(path, nullptr, ImportText::Unknown);
}

ImportWriting AddImportedAdifFile(LogStore& log, const std::string& adifPath, const ImportPlan& plan) {
    return AddImportedRecords(log, adifPath, plan, ReadForAppend);
}

std::string AdifImportQuestionText(const ImportPlan& plan, const std::string& logPath) {
    return "Add " + std::to_string(plan.Reports) + " reports to " + logPath + "?" + SkipLine(plan);
}

std::string AdifNothingToImportText(const ImportPlan& plan) { return "Nothing to import" + SkipLine(plan); }

std::string AdifImportRefusalText(const ImportPlan& plan, const std::string& adifPath) {
    return adifPath + " cannot be imported: " + plan.Refusal + ".";
}

ImportWriting AddImportedAdifReports(LogStore& log, ReportRegister& reg, const std::string& adifPath,
                                     const ImportPlan& plan, bool* rowsStored) {
    *rowsStored = true;
    std::vector<RegisterRow> rows;
    ImportWriting writing = AddImportedRecords(log, adifPath, plan, ReadForAppend, &rows);
    if (writing != ImportWriting::Added) return writing;
    *rowsStored = StoreNewRows(reg, log, std::move(rows));
    return writing;
}
