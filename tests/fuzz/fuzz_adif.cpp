// The ADIF import over arbitrary bytes: it refuses or plans, never crashes;
// every record it would add has a real date and time; the same bytes read from
// a file through small windows (every tag, length and character falling on
// some window's edge) give the same plan and the same records, planned with or
// without keeping them; and the records
// exported again as ADIF read back as the same bytes.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/adif_fields.h"
#include "exchange/adif_import.h"

namespace {

bool Collect(const LogEntry& record, void* context) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(&record), sizeof record);
    return true;
}

std::string RecordBytes(const std::vector<LogEntry>& records) {
    std::string bytes;
    for (const LogEntry& record : records) bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes;
}

bool SamePlan(const ImportPlan& a, const ImportPlan& b) {
    return a.Refused == b.Refused && a.Refusal == b.Refusal && a.Reports == b.Reports && a.Skipped == b.Skipped &&
           a.FirstSkippedLine == b.FirstSkippedLine && a.FirstSkipReason == b.FirstSkipReason && a.Text == b.Text;
}

void CheckReadThroughWindows(const std::string& bytes, const ImportPlan& plan) {
    static const std::string path = "/dev/shm/ulmar-fuzz-adif-" + std::to_string(getpid()) + ".adi";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    size_t window = 4 + (bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back()) % 29);
    std::string records;
    ReportSink sink{Collect, &records};
    ImportPlan read = ReadAdifImportFile(path, &sink, ImportText::Unknown, window);
    // The question's plan keeps no report and reads only what decides one: the same outcome.
    ImportPlan planned = ReadAdifImportFile(path, nullptr, ImportText::Unknown, window);
    std::remove(path.c_str());
    if (!SamePlan(read, plan) || !SamePlan(planned, plan) || records != RecordBytes(plan.Records)) std::abort();
}

// ULMAR's own records of the plan, exported and read again, are the same bytes.
void CheckRoundTrip(const ImportPlan& plan) {
    std::string file = "<EOH>\r\n";
    for (const LogEntry& record : plan.Records) {
        if (AdifDamageOf(record) != AdifDamage::None) std::abort();
        char out[kAdifRecordRoom];
        file.append(out, static_cast<size_t>(PutAdifRecord(record, out) - out));
    }
    ImportPlan again = PlanAdifImport(file);
    if (again.Refused || again.Skipped != 0 || RecordBytes(again.Records) != RecordBytes(plan.Records)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ImportPlan plan = PlanAdifImport(bytes);
    if (plan.Refused && (plan.Refusal.empty() || !plan.Records.empty())) std::abort();
    if (plan.Reports != static_cast<int64_t>(plan.Records.size())) std::abort();
    if (plan.Skipped < 0 || (plan.Skipped > 0 && (plan.FirstSkippedLine < 1 || plan.FirstSkipReason.empty()))) {
        std::abort();
    }
    CheckReadThroughWindows(bytes, plan);
    CheckRoundTrip(plan);
    return 0;
}
