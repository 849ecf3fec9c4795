// What the import fuzzers check alike: a plan that is sound in itself, and the
// same bytes read from a file through small windows (every edge falling on
// some window's edge) giving the same plan and the same records.
#pragma once
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/csv_import.h"

inline bool CollectRecord(const LogEntry& record, void* context) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(&record), sizeof record);
    return true;
}

inline std::string RecordBytes(const std::vector<LogEntry>& records) {
    std::string bytes;
    for (const LogEntry& record : records) bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes;
}

inline bool SamePlan(const ImportPlan& a, const ImportPlan& b) {
    return a.Refused == b.Refused && a.Refusal == b.Refusal && a.Reports == b.Reports && a.Skipped == b.Skipped &&
           a.FirstSkippedLine == b.FirstSkippedLine && a.FirstSkipReason == b.FirstSkipReason && a.Text == b.Text;
}

// A refusal says why and keeps nothing; the counts agree with the records;
// a skip names its line or record, `firstNumber` at the earliest.
inline void CheckPlanIsSound(const ImportPlan& plan, int64_t firstNumber) {
    if (plan.Refused && (plan.Refusal.empty() || !plan.Records.empty())) std::abort();
    if (plan.Reports != static_cast<int64_t>(plan.Records.size())) std::abort();
    if (plan.Skipped < 0 ||
        (plan.Skipped > 0 && (plan.FirstSkippedLine < firstNumber || plan.FirstSkipReason.empty()))) {
        std::abort();
    }
}

// The file reading of a format: ReadImportFile, ReadAdifImportFile.
using FileImportReading = ImportPlan (*)(const std::string& path, const ReportSink* sink, ImportText text,
                                         size_t windowBytes);

// Reads `bytes` from a file with `read`, keeping the records and, when
// `planToo`, once more keeping none; each must give `plan` and its records.
inline void CheckReadThroughWindows(const std::string& bytes, const ImportPlan& plan, FileImportReading read,
                                    bool planToo) {
    static const std::string path = "/dev/shm/ulmar-fuzz-import-" + std::to_string(getpid());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    size_t window = 4 + (bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back()) % 29);
    std::string records;
    ReportSink sink{CollectRecord, &records};
    ImportPlan kept = read(path, &sink, ImportText::Unknown, window);
    bool same = SamePlan(kept, plan) && records == RecordBytes(plan.Records);
    if (planToo) same = same && SamePlan(read(path, nullptr, ImportText::Unknown, window), plan);
    std::remove(path.c_str());
    if (!same) std::abort();
}
