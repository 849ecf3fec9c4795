#include "exchange/adif_export.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "exchange/adif_fields.h"
#include "exchange/adif_register.h"
#include "exchange/block_output.h"
#include "exchange/output_name.h"
#include "logstore/log_walk.h"
#include "platform/file.h"
#include "records/code_page_1252.h"
#include "records/record_texts.h"

namespace {

// Records are gathered and written in blocks of about a megabyte.
constexpr size_t kWriteBlock = 1 << 20;

struct AdifFile {
    BlockOutput Output{PlatformFile{}, 0, std::vector<char>(kWriteBlock + kAdifRecordRoom)};
    const ReportFilter* Filter = nullptr;
    bool EveryEntry = false;  // the filter is empty
    int64_t NextNumber = 1;   // of the entry the walk hands on next
    AdifExportResult* Result = nullptr;
    const std::vector<RegisterRow>* Rows = nullptr;
    std::vector<int32_t> RowOfEntry;  // by entry number: index into Rows, -1 for none
};

void IndexRows(AdifFile* out, const std::vector<RegisterRow>* rows, int32_t entryCount) {
    if (!rows || rows->empty()) return;
    out->Rows = rows;
    out->RowOfEntry.assign(static_cast<size_t>(entryCount) + 1, -1);
    for (size_t i = 0; i < rows->size(); ++i) {
        int32_t entry = (*rows)[i].Entry;
        if (entry >= 1 && entry <= entryCount && out->RowOfEntry[static_cast<size_t>(entry)] < 0) {
            out->RowOfEntry[static_cast<size_t>(entry)] = static_cast<int32_t>(i);
        }
    }
}

std::string RegisterFieldsOf(const AdifFile& out, int64_t number) {
    if (!out.Rows || number < 1 || static_cast<size_t>(number) >= out.RowOfEntry.size()) return std::string();
    int32_t row = out.RowOfEntry[static_cast<size_t>(number)];
    return row < 0 ? std::string() : AdifRegisterFields((*out.Rows)[static_cast<size_t>(row)]);
}

std::string HeaderField(const std::string& name, const std::string& data) {
    return "<" + name + ":" + std::to_string(data.size()) + ">" + data + "\r\n";
}

std::string Header(const UtcTime& created, const std::string& logPath) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d %02d%02d%02d", created.Year, created.Month, created.Day,
                  created.Hour, created.Minute, created.Second);
    return std::string(ProgramTitle) + " ADIF export of the log " + CodePage1252ToAscii(logPath) + "\r\n" +
           HeaderField("ADIF_VER", "3.1.7") + HeaderField("PROGRAMID", "ULMAR") +
           HeaderField("PROGRAMVERSION", "1.01") + HeaderField("CREATED_TIMESTAMP", stamp) + "<EOH>\r\n";
}

void CountDamage(AdifFile* out, int64_t number, AdifDamage damage) {
    AdifExportResult* result = out->Result;
    if (result->Skipped++ > 0) return;
    result->FirstSkippedEntry = number;
    result->FirstSkipReason =
        damage == AdifDamage::Date ? "its date is not a real date" : "its time is not a real time";
}

bool ExportEntry(const LogEntry& entry, void* context) {
    AdifFile* out = static_cast<AdifFile*>(context);
    int64_t number = out->NextNumber++;
    if (!out->EveryEntry && !EntryChosen(*out->Filter, entry, number)) return true;
    AdifDamage damage = AdifDamageOf(entry);
    if (damage != AdifDamage::None) {
        CountDamage(out, number, damage);
        return true;
    }
    std::string extra = RegisterFieldsOf(*out, number);
    // A register row's details make a record longer than the block's spare room.
    if (out->Output.Used + kAdifRecordRoom + extra.size() > out->Output.Block.size() && !WritePending(&out->Output)) {
        return false;
    }
    char* start = out->Output.Block.data() + out->Output.Used;
    out->Output.Used += static_cast<size_t>(PutAdifRecord(entry, start, extra) - start);
    out->Result->Written.Count += 1;
    return out->Output.Used < kWriteBlock || WritePending(&out->Output);
}

}  // namespace

AdifExportResult ExportAdif(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter,
                            const UtcTime& created, const std::string& logPath, const std::vector<RegisterRow>* rows) {
    AdifExportResult result;
    AdifFile out;
    result.Written.Status = CreateOutputFile(log, fileName, &out.Output.File);
    if (result.Written.Status != ExportStatus::Written) return result;
    out.Filter = &filter;
    out.EveryEntry = IsEmptyFilter(filter);
    out.NextNumber = std::max<int64_t>(start, 1);
    out.Result = &result;
    IndexRows(&out, rows, log.EntryCount);
    PutText(&out.Output, Header(created, logPath));
    WalkResult walk = WalkLog(log, start, ExportEntry, &out);
    result.Written.Status = FinishOutputFile(&out.Output.File, fileName, WritePending(&out.Output), walk.ReadFailed);
    return result;
}

std::string AdifSkipText(const AdifExportResult& result) {
    if (result.Skipped == 0) return "";
    std::string count = std::to_string(result.Skipped) + (result.Skipped == 1 ? " report" : " reports");
    std::string first = result.Skipped == 1 ? "entry " : "the first, entry ";
    return ". " + count + " not written: " + first + std::to_string(result.FirstSkippedEntry) + ", " +
           result.FirstSkipReason + ".";
}

std::string AdifNameFromUpperPath(const std::string& upperPath) { return OutputNameFromUpperPath(upperPath, ".ADI"); }
