#include "print/print_window.h"

void ShowPrintLogWindow(HWND) {}
