// The one logging window while it is open: its handle, the recent-list
// counters and its timer. The clock routine and the Log On handler run outside
// the window's own message handler, so they reach the window through this.
#pragma once
#include <windows.h>

// Controls the clock routine and the Log On handler work on.
constexpr int kIdRecentList = 3073;
constexpr int kIdEntryNumber = 122;
constexpr int kIdFrequency = 105;
constexpr int kIdStation = 109;
constexpr int kIdLocation = 110;
constexpr int kIdRemarks = 111;
constexpr int kIdLogOn = 116;
// The clock images, in the order of the characters of "HH:MM".
constexpr int kIdClockImages[5] = {22, 23, 24, 25, 26};

struct LoggingWindowState {
    HWND Window = nullptr;
    int RecentRows = 15;
    int RecentFilled = 0;
    UINT_PTR TimerId = 0;
    int CellWidth = 8;  // width of a character cell of the list's font, pixels
};

extern LoggingWindowState Logging;

// Reads the UTC clock and brings the images, the clock texts and the title up to date.
void UpdateClock();
// Takes the bitmaps out of the clock images and deletes them.
void ReleaseClockBitmaps();
// The Log On button: saves the typed report. False when it was not saved.
bool LogOn();
// Paints one row of the recent list.
void DrawRecentRow(const DRAWITEMSTRUCT& item);
