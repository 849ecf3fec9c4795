// Logs for the browse tests: numbered entries written as real files.
#pragma once
#include <functional>
#include <string>

#include "logstore/log_store.h"
#include "records/text_trim.h"
#include "tests/unit/test_files.h"

// Station of entry n (from 1) in the numbered logs: "Station 1", "Station 2", ...
inline std::string NumberedStation(int n) { return "Station " + std::to_string(n); }

// The bytes of a log of `count` entries; `station(n)` names entry n.
inline std::string LogBytes(int count, const std::function<std::string(int)>& station = NumberedStation) {
    std::string bytes;
    for (int n = 1; n <= count; ++n) {
        bytes += EntryBytes(MakeEntry(station(n), "06-12-2026", "19:30", std::to_string(9000 + n)));
    }
    return bytes;
}

// Record n (from 1) of a log's bytes.
inline std::string RecordOf(const std::string& bytes, int n) {
    return bytes.substr(static_cast<size_t>(n - 1) * kEntrySize, kEntrySize);
}

inline std::string StationOfRecord(const std::string& bytes, int n) {
    return TrimRight(RecordOf(bytes, n).substr(21, 20));
}
