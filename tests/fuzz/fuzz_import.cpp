// The CSV import over arbitrary bytes: every record it would add is a sound
// log record, and the records written back as an export read in again as the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "print/csv_line.h"
#include "reports/csv_import.h"
#include "reports/report_values.h"
#include "reports/text_encoding.h"

namespace {

bool IsSound(const LogEntry& record) {
    TimeOfDay time;
    return ReadDashedDate(record.Date, sizeof record.Date) != kNoDate &&
           ReadColonTime(record.Time, sizeof record.Time, &time) &&
           !IsBlank(FieldText(record.Station));
}

// A text of the Western code page that happens to be valid UTF-8 as well
// (and not plain ASCII) is read as UTF-8; such a file is no round trip.
bool ReadsAsItsBytes(const std::string& text) {
    std::string converted;
    return !ConvertUtf8(text, &converted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ImportPlan plan = PlanImport(bytes);
    if (plan.refused && (plan.refusal.empty() || !plan.records.empty())) std::abort();
    if (plan.skipped < 0 || (plan.skipped > 0 && (plan.firstSkippedLine < 2 || plan.firstSkipReason.empty()))) {
        std::abort();
    }
    std::string file = std::string(kCsvHeader) + kCsvLineEnd;
    std::string expected;
    for (const LogEntry& record : plan.records) {
        if (!IsSound(record)) std::abort();
        if (record.Freq[0] == ' ') continue;  // the export drops a frequency's leading blanks
        file += CsvLine(record) + kCsvLineEnd;
        expected.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    if (!ReadsAsItsBytes(file)) return 0;
    ImportPlan again = PlanImport(file);
    std::string got;
    for (const LogEntry& record : again.records) got.append(reinterpret_cast<const char*>(&record), sizeof record);
    if (again.refused || again.skipped != 0 || got != expected) std::abort();
    ImportQuestionText(plan, "C:\\LOGS\\MYLOG.ULM");
    NothingToImportText(plan);
    return 0;
}
