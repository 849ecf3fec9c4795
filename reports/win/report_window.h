// The Reception Report window for one entry of the open log: the SINPO, the
// programme details, the letter from a template, and when the report was sent
// and what came back. Exit and Escape store the row in the register.
#pragma once
#include <windows.h>

#include <cstdint>

void ShowReportWindow(HWND owner, int32_t entry);
