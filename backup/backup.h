// The backup at exit, made safe: the log is copied to the backup drive as a
// dated generation in ULMAR-BACKUP and as D:NAME, each through a verified
// temporary copy (verified_copy.h). Older generations beyond the newest N are
// removed only once both new copies are in place.
#pragma once
#include <string>

#include "backup/generations.h"
#include "backup/verified_copy.h"
#include "settings/settings_file.h"

// The message box of a failed backup: this title, and this text, CR LF CR LF
// and BackupResult::Reason.
constexpr const char* kBackupFailedText = "Log not backed up";

struct BackupRequest {
    std::string LogPath;                          // the log, closed
    std::string Drive;                            // the backup drive letter as set
    int Generations = kDefaultBackupGenerations;  // N, 0..kMaxBackupGenerations: 0 writes only D:NAME
    UtcTime Now;                                  // the time in the new generation's name (UtcNow() in the program)
    CopyProgress Progress = nullptr;              // told the bytes done of each verified copy
};

struct BackupResult {
    bool Ok = false;
    std::string Reason;      // plain words when not Ok
    std::string Target;      // D:NAME
    std::string Generation;  // the new generation's path; empty when none was made
    int Removed = 0;         // older generations removed
};

BackupResult BackUpLogSafely(const BackupRequest& request);
// "Log not backed up", CR LF CR LF, the reason.
std::string BackupFailureMessage(const BackupResult& result);
