// Entry point: shared values, settings, log and schedule, the main window, then shut-down.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "app/win/main_window.h"
#include "app/win/schedule_selection.h"
#include "backup/backup.h"
#include "backup/backup_test_hook.h"
#include "logstore/log_store.h"
#include "reports/win/register_opening.h"
#include "settings/settings_file.h"
#include "ui/log_guard.h"
#include "ui/message_box.h"
#include "ui/progress_window.h"
#include "ui/scale.h"

namespace {

// The verified backup of the closed log to the backup drive, with its reason when it fails.
void BackUpLog() {
    BackupRequest request;
    request.LogPath = Log.OpenPath;
    request.Drive = Settings.BackupDrive;
    request.Generations = Settings.BackupGenerations;
    request.Now = UtcNow();
    request.Progress = StepProgressOf;
    BeginProgress(nullptr, "Backing up the log", "bytes copied and checked", 0);
    BackupResult result = BackUpLogSafely(request);
    EndProgress();
    if (result.Ok) return;
    ShowMessageBox(nullptr, kCaptionBackupFailed, BackupFailureMessage(result), MB_ICONEXCLAMATION | MB_OK);
}

#ifdef ULMAR_TEST_HOOKS
// The test build only: "--spoil-copy OFFSET" changes that byte of every
// temporary backup copy before it is read back; "--progress-at-once" shows the
// progress of long work from its first step.
void SetTestHookFromCommandLine() {
    if (std::strstr(GetCommandLineA(), "--progress-at-once")) ShowProgressAtOnceForTest();
    const char* option = std::strstr(GetCommandLineA(), "--spoil-copy ");
    if (!option) return;
    BackupHookForTest.SpoilCopy = true;
    BackupHookForTest.Offset = std::strtoll(option + std::strlen("--spoil-copy "), nullptr, 10);
}
#else
void SetTestHookFromCommandLine() {}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetTestHookFromCommandLine();
    ScaleFactor = ComputeScaleFactor(GetSystemMetrics(SM_CYSCREEN));
    Settings = ReadSettings(kSettingsFileName);
    OpenLogAndSayRecovery(Log, Settings.LogPath);
    OpenRegisterAndSayWhy(Log);
    LoadScheduleAtStartUp();

    HWND mainWindow = BuildMainWindow();
    if (!mainWindow) return 0;  // nothing is written when there is no window
    RunMainWindow(mainWindow);

    CloseLog(Log);
    Settings.LogPath = Log.OpenPath;
    // Before the backup, so a failed copy loses no setting.
    if (!Settings.Unreadable) WriteSettings(kSettingsFileName, Settings);
    if (!Settings.BackupDrive.empty()) BackUpLog();
    return 0;
}
