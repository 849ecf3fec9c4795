// The CSV import over arbitrary bytes: every record it would add is a sound
// log record, the records written back as an export read in again as the
// same bytes, and the same bytes read from a file through small windows (every
// edge of a row, a quote or a character falling on some window's edge) give
// the same plan and the same records.
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
#include "tests/fuzz/import_checks.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ImportPlan plan = PlanImport(bytes);
    CheckPlanIsSound(plan, 2);  // line 1 is the header
    CheckReadThroughWindows(bytes, plan, ReadImportFile, false);
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
    if (again.Refused || again.Skipped != 0 || RecordBytes(again.Records) != expected) std::abort();
    ImportQuestionText(plan, "C:\\LOGS\\MYLOG.ULM");
    NothingToImportText(plan);
    return 0;
}
