// Dated backups kept in the folder ULMAR-BACKUP on the backup drive, named
// <log name>-<sequence, 6 digits>-<YYYYMMDD>-<HHMMSS>Z.<extension>, for example
// MYLOG-000123-20261207-194512Z.ULM. "Newest" means the highest sequence; the
// time is for people, so a clock set back cannot confuse the order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/utc_time.h"

constexpr const char* kGenerationFolder = "ULMAR-BACKUP";
constexpr const char* kNoGenerationText = "(none found)";

struct Generation {
    std::string FileName;
    int64_t Sequence = 0;
    UtcTime Made;
};

// The log's file name: the part of its path after the last backslash, '/' or ':'.
std::string LogFileName(const std::string& logPath);
std::string GenerationFileName(const std::string& logFileName, int64_t sequence, const UtcTime& made);
// True when `fileName` is a generation of the log named `logFileName` (letters
// compared without regard to case, as Windows does); fills `*generation`.
bool ParseGenerationName(const std::string& fileName, const std::string& logFileName, Generation* generation);
// The log's generations among `fileNames`, newest (highest sequence) first.
std::vector<Generation> GenerationsOf(const std::vector<std::string>& fileNames, const std::string& logFileName);

// "<drive>:" and "<drive>:ULMAR-BACKUP", the folders the backup writes to.
std::string DriveFolder(const std::string& drive);
std::string GenerationFolder(const std::string& drive);
std::string InFolder(const std::string& folder, const std::string& name);

struct NewestGeneration {
    bool Found = false;
    std::string Path;
    Generation Newest;
};
// Reads the names in the drive's generation folder for the log at `logPath`.
NewestGeneration FindNewestGeneration(const std::string& drive, const std::string& logPath);
// The line for the backup-drive window: when and where the newest was made,
// for example "07-12-2026 19:45:12 UTC  E:ULMAR-BACKUP\MYLOG-000123-20261207-194512Z.ULM",
// or "(none found)".
std::string NewestGenerationLine(const NewestGeneration& newest);
