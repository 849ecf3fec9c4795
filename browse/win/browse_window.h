#pragma once
#include <windows.h>

// Builds the window, runs it modally over `owner` and returns when it closes.
void ShowBrowseWindow(HWND owner);
