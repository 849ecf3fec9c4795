// Temporary folders and raw file bytes for tests on real files.
#pragma once
#include <string>

#include "logstore/log_entry.h"

struct TempDir {
    TempDir();
    ~TempDir();
    std::string Path(const std::string& name) const;
    std::string Root;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// A record with these fields, each cut to its width and padded with blanks.
LogEntry MakeEntry(const std::string& station, const std::string& date = "06-12-2026",
                   const std::string& time = "19:30", const std::string& freq = "9410",
                   const std::string& location = "Somewhere", const std::string& remarks = "");
std::string EntryBytes(const LogEntry& entry);
