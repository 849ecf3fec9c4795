// Shared by the benchmark programs: big logs written quickly, and wall-clock seconds.
#pragma once
#include <chrono>
#include <cstdint>
#include <vector>

#include "logstore/log_entry.h"
#include "platform/file.h"

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
    FileClose(&file);
}

inline double SecondsSince(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
