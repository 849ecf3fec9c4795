// The entries whose outputs are stored in tests/unit/data/, and an open log
// of given records in a temporary folder, shared by the print and report tests.
#pragma once
#include <string>
#include <vector>

#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "tests/unit/test_files.h"

inline std::string StoredFile(const std::string& name) {
    return ReadBytes(std::string(ULMAR_SOURCE_DIR) + "/tests/unit/data/" + name);
}

// printed_rows.txt holds the rows of all four; export_three.csv the first three.
inline std::vector<LogEntry> StoredEntries() {
    return {
        MakeEntry("Example Radio", "07-03-2004", "21:45", "6070", "Sometown", ""),
        MakeEntry("  Radio Leading", "15-11-2019", "03:05", "  9410", "  Far Away", "  fair signal"),
        MakeEntry("Radio \"Eins\"", "01-12-2026", "23:59", "", "Berlin, DE", "weak, \"fading\""),
        MakeEntry("Twenty Character Stn", "15-13-2020", "12:00", "153000", "Twenty-Four Char Location",
                  std::string(50, 'R')),
    };
}

inline std::string RecordsBytes(const std::vector<LogEntry>& entries) {
    std::string bytes;
    for (const LogEntry& entry : entries) bytes += EntryBytes(entry);
    return bytes;
}

// MYLOG.ULM holding `bytes`, opened.
struct OpenTestLog {
    TempDir Folder;
    LogStore Log;
    std::string Path;
    explicit OpenTestLog(const std::string& bytes) : Path(Folder.Path("MYLOG.ULM")) {
        WriteBytes(Path, bytes);
        OpenLog(Log, Path);
    }
    explicit OpenTestLog(const std::vector<LogEntry>& entries) : OpenTestLog(RecordsBytes(entries)) {}
    ~OpenTestLog() { CloseLog(Log); }
};
