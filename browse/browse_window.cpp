#include "browse/browse_window.h"

void ShowBrowseWindow(HWND) {}
