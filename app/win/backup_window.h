#pragma once
#include <windows.h>

// The backup-drive window ("&Set Up" / "&Back Up Drive"), modal over the main window.
void ShowBackupDriveWindow(HWND owner);
