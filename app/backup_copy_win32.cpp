// The backup at shut-down, with its message when the copy fails.
#include <windows.h>

#include "app/backup_copy.h"
#include "logstore/settings.h"

namespace {

constexpr const char* kBackupFailedText = "Log not backed up";
constexpr const char* kBackupFailedTitle = "Corvane";

}  // namespace

void BackUpLog() {
    if (CopyLogToBackup(Log, Log.OpenPath, Settings.BackupDrive)) return;
    MessageBoxA(nullptr, kBackupFailedText, kBackupFailedTitle, MB_ICONEXCLAMATION | MB_OK);
}
