#include "app/log_selection.h"

void ChooseLog(HWND, bool) {}
