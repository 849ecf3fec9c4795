// The clock on screen: each tick's plan applied to the window's five image
// controls with real bitmaps, every bitmap it replaces deleted.
#pragma once
#include <windows.h>

#include <string>

// Reads the UTC clock and brings the images, the clock texts and the title up to date.
void UpdateClockDisplay(HWND window, const std::string& logPath);
// Takes the bitmaps out of the clock images and deletes them.
void ReleaseClockBitmaps(HWND window);
