// The CSV import over arbitrary bytes: every record it would add is a sound
// log record, the records written back as an export read in again as the
// same bytes, and the same bytes read from a file through small windows (every
// edge of a row, a quote or a character falling on some window's edge) give
// the same plan and the same records.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "exchange/csv_import.h"
#include "exchange/csv_line.h"
#include "records/code_page_1252.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

bool IsSound(const LogEntry& record) {
    TimeOfDay time;
    return ReadDashedDate(record.Date, sizeof record.Date) != kNoDate &&
           ReadColonTime(record.Time, sizeof record.Time, &time) && !IsBlank(FieldText(record.Station));
}

// A text of the Western code page that happens to be valid UTF-8 as well
// (and not plain ASCII) is read as UTF-8; such a file is no round trip.
bool ReadsAsItsBytes(const std::string& text) {
    std::string converted;
    return !Utf8ToCodePage1252(text, &converted);
}

bool Collect(const LogEntry& record, void* context) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(&record), sizeof record);
    return true;
}

std::string RecordBytes(const std::vector<LogEntry>& records) {
    std::string bytes;
    for (const LogEntry& record : records) bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes;
}

void CheckReadThroughWindows(const std::string& bytes, const ImportPlan& plan) {
    static const std::string path = "/dev/shm/ulmar-fuzz-import-" + std::to_string(getpid()) + ".csv";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    size_t window = 4 + (bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back()) % 29);
    std::string records;
    ReportSink sink{Collect, &records};
    ImportPlan read = ReadImportFile(path, &sink, ImportText::Unknown, window);
    std::remove(path.c_str());
    if (read.Refused != plan.Refused || read.Refusal != plan.Refusal || read.Reports != plan.Reports ||
        read.Skipped != plan.Skipped || read.FirstSkippedLine != plan.FirstSkippedLine ||
        read.FirstSkipReason != plan.FirstSkipReason || read.Text != plan.Text ||
        records != RecordBytes(plan.Records)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ImportPlan plan = PlanImport(bytes);
    if (plan.Refused && (plan.Refusal.empty() || !plan.Records.empty())) std::abort();
    if (plan.Reports != static_cast<int64_t>(plan.Records.size())) std::abort();
    CheckReadThroughWindows(bytes, plan);
    if (plan.Skipped < 0 || (plan.Skipped > 0 && (plan.FirstSkippedLine < 2 || plan.FirstSkipReason.empty()))) {
        std::abort();
    }
    std::string file = std::string(kCsvHeader) + kCsvLineEnd;
    std::string expected;
    for (const LogEntry& record : plan.Records) {
        if (!IsSound(record)) std::abort();
        if (record.Freq[0] == ' ') continue;  // the export drops a frequency's leading blanks
        file += CsvLine(record) + kCsvLineEnd;
        expected.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    if (!ReadsAsItsBytes(file)) return 0;
    ImportPlan again = PlanImport(file);
    std::string got;
    for (const LogEntry& record : again.Records) got.append(reinterpret_cast<const char*>(&record), sizeof record);
    if (again.Refused || again.Skipped != 0 || got != expected) std::abort();
    ImportQuestionText(plan, "C:\\LOGS\\MYLOG.ULM");
    NothingToImportText(plan);
    return 0;
}
