// The ADIF import over arbitrary bytes: it refuses or plans, never crashes;
// every record it would add has a real date and time; the same bytes read from
// a file through small windows (every tag, length and character falling on
// some window's edge) give the same plan and the same records, planned with or
// without keeping them; and the records
// exported again as ADIF read back as the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/adif_fields.h"
#include "exchange/adif_import.h"
#include "tests/fuzz/import_checks.h"

namespace {

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
    CheckPlanIsSound(plan, 1);
    // The question's plan keeps no report and reads only what decides one: the same outcome.
    CheckReadThroughWindows(bytes, plan, ReadAdifImportFile, true);
    CheckRoundTrip(plan);
    return 0;
}
