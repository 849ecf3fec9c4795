// What the CSV and ADIF import tests compare: the records a plan would add,
// each as its 115 bytes, and the bytes of an expected record.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/csv_import.h"
#include "tests/unit/test_files.h"

inline std::vector<std::string> AsBytes(const std::vector<LogEntry>& records) {
    std::vector<std::string> bytes;
    for (const LogEntry& record : records) bytes.push_back(EntryBytes(record));
    return bytes;
}

// The records of a plan that is not refused, as raw bytes.
inline std::vector<std::string> PlannedBytes(const ImportPlan& plan) {
    EXPECT_FALSE(plan.Refused) << plan.Refusal;
    return AsBytes(plan.Records);
}

inline std::string Record(const std::string& station, const std::string& date, const std::string& time,
                          const std::string& freq = "", const std::string& location = "",
                          const std::string& remarks = "") {
    return EntryBytes(MakeEntry(station, date, time, freq, location, remarks));
}
