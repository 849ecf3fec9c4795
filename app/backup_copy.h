// The backup made at shut-down: the log copied to the backup drive.
#pragma once
#include <string>

#include "logstore/log_store.h"

// Drive letter, a colon and the log's file name (the part of `logPath` after
// its last backslash, '/' or ':', all of it when there is none). No backslash follows
// the colon, so the copy lands in that drive's current directory, normally its root.
std::string BackupTarget(const std::string& drive, const std::string& logPath);

// Closes the log, then copies `logPath` to the backup target, replacing a file
// of that name there. False when the copy did not succeed.
bool CopyLogToBackup(LogStore& log, const std::string& logPath, const std::string& drive);

// Copies the open log to Settings.BackupDrive; says "Log not backed up" when
// the copy fails. Windows only.
void BackUpLog();
