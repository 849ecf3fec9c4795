// Small helpers shared by the browse window and the view-and-edit window.
#pragma once
#include <windows.h>

#include <string>

// The whole text of control `id`, however long.
std::string ControlText(HWND dialog, int id);
// Moves the focus to `control` the way dialog navigation does.
void FocusControl(HWND dialog, HWND control);
