// Every message box of the program, through one call. Each box keeps the owner
// it has always had: most have none (nullptr), so they stand on their own; the
// import's, the schedule choice's and the Print Log window's belong to a window.
#pragma once
#include <windows.h>

#include <string>

#include "ui/message_captions.h"

int ShowMessageBox(HWND owner, const char* caption, const std::string& text, UINT type = MB_OK);
