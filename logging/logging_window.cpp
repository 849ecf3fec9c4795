#include "logging/logging_window.h"

void ShowLoggingWindow(HWND) {}
