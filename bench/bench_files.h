// Shared by the benchmark programs: big logs written quickly, and wall-clock seconds.
#pragma once
#include <unistd.h>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "logstore/log_entry.h"
#include "platform/file.h"

// Record n of the benchmark logs: a realistic report whose station names the number.
// Empties `folder` (made when missing) and makes it the working folder.
inline void EnterFreshBenchFolder(const char* folder) {
    std::system((std::string("rm -rf ") + folder + " && mkdir -p " + folder).c_str());
    if (chdir(folder) != 0) std::abort();
}

inline LogEntry PlainBenchEntry(int64_t n) {
    LogEntry entry;
    FillField(entry.Date, "06-12-2026");
    FillField(entry.Time, "19:30");
    FillField(entry.Freq, "9410");
    FillField(entry.Station, "Station " + std::to_string(n));
    FillField(entry.Location, "Somewhere");
    FillField(entry.Remarks, "SINPO 45444");
    return entry;
}

// Report n of the export and report benchmarks, dated `date`: frequencies
// over the broadcast bands, a location with a comma one time in ten and
// remarks with one, so that fields are quoted as in real exports.
inline LogEntry ReportBenchEntry(int64_t n, const std::string& date) {
    LogEntry entry;
    FillField(entry.Date, date);
    FillField(entry.Time, "19:30");
    FillField(entry.Freq, std::to_string(500 + n % 25000));
    FillField(entry.Station, "Station " + std::to_string(n));
    FillField(entry.Location, n % 10 == 0 ? "Sometown, Somewhere" : "Somewhere");
    FillField(entry.Remarks, "SINPO 45444 fair signal, slight fading");
    return entry;
}

// Writes a log of `entries` records, record n being makeEntry(n), in large blocks.
template <typename MakeEntry>
void WriteBenchLog(const char* path, int64_t entries, MakeEntry makeEntry) {
    PlatformFile file;
    FileOpen(path, FileAccess::CreateTruncate, &file);
    std::vector<LogEntry> block;
    int64_t offset = 0;
    for (int64_t n = 1; n <= entries; ++n) {
        block.push_back(makeEntry(n));
        if (block.size() == 9000 || n == entries) {
            FileWriteAt(file, offset, block.data(), block.size() * sizeof(LogEntry));
            offset += static_cast<int64_t>(block.size() * sizeof(LogEntry));
            block.clear();
        }
    }
    // Flushed, so the disk is not still writing it back under the timed work.
    FileFlush(file);
    FileClose(&file);
}

// The whole of a file, for a benchmark that needs its bytes in memory.
inline std::string ReadFileBytes(const char* path) {
    PlatformFile file;
    std::string bytes;
    int64_t size = 0;
    if (!FileOpen(path, FileAccess::ReadOnly, &file)) return bytes;
    if (FileSize(file, &size)) bytes.resize(static_cast<size_t>(size));
    size_t got = 0;
    FileReadAt(file, 0, &bytes[0], bytes.size(), &got);
    bytes.resize(got);
    FileClose(&file);
    return bytes;
}

inline double SecondsSince(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
