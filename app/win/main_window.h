#pragma once
#include <windows.h>

// Builds the main window hidden; nullptr when it cannot be created.
HWND BuildMainWindow();
// Shows it and runs its messages until it is closed.
void RunMainWindow(HWND mainWindow);
// Title: program title, 60 blanks, the current log's path.
void SetMainWindowTitle(HWND mainWindow);
