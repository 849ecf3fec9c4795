#pragma once
#include <windows.h>

// The backup-drive window, modal over the main window.
void ShowBackupDriveWindow(HWND owner);
// Copies the log to the backup drive at shut-down.
void BackUpLog();
