#pragma once
#include <windows.h>

// "&Open" (createNew false) and "&New" (createNew true) of the Files menu. The
// caller shows the log that is open afterwards in its title.
void ChooseLog(HWND mainWindow, bool createNew);
