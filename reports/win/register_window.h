// The Report Register window: the reports awaiting a reply, the replies, the
// rows whose report is gone and the totals. A row opens its report window.
#pragma once
#include <windows.h>

void ShowRegisterWindow(HWND owner);
