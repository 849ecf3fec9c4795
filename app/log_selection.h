#pragma once
#include <windows.h>

// "&Open" (createNew false) and "&New" (createNew true) of the Files menu.
void ChooseLog(HWND mainWindow, bool createNew);
