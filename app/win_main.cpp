// Entry point: shared values, settings, log and schedule, the main window, then shut-down.
#include <windows.h>

#include "app/backup_copy.h"
#include "app/main_window.h"
#include "app/schedule_selection.h"
#include "logstore/log_store.h"
#include "logstore/settings.h"
#include "ui/scale.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ScaleFactor = ComputeScaleFactor(GetSystemMetrics(SM_CYSCREEN));
    Settings = ReadSettings(kSettingsFileName);
    OpenLog(Log, Settings.LogPath);
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
