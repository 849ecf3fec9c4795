#pragma once
#include <windows.h>

// Shows the entry on the browse window's chosen line and lets the user change its
// frequency, station, location and remarks. Returns when the window has closed;
// BrowsePage.EntryEdited then says whether a field was changed.
void ShowViewEditWindow(HWND owner);
