#pragma once
#include <windows.h>

// Builds the window, runs it modally over `parent` and returns when it closes.
void ShowLoggingWindow(HWND parent);
