// The clock on screen: applies each tick's plan to the image controls with
// real bitmaps, deleting every bitmap it replaces.
#include "logging/clock_images.h"
#include "logging/logging_window_state.h"
#include "logstore/settings.h"

namespace {

HWND ImageControl(int slot) { return GetDlgItem(Logging.Window, kIdClockImages[slot]); }

void* LoadClockBitmap(void*, const char* name) { return LoadBitmapA(GetModuleHandleA(nullptr), name); }

void* CurrentBitmap(void*, int slot) {
    return reinterpret_cast<void*>(SendMessageA(ImageControl(slot), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

void ShowBitmap(void*, int slot, void* bitmap) {
    SendMessageA(ImageControl(slot), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void DeleteBitmap(void*, void* bitmap) { DeleteObject(static_cast<HGDIOBJ>(bitmap)); }

void SetTitle(void*, const char* title) { SetWindowTextA(Logging.Window, title); }

const ClockImageOps kWindowImages = {nullptr, LoadClockBitmap, CurrentBitmap, ShowBitmap, DeleteBitmap, SetTitle};

UtcTime ReadUtcClock() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    UtcTime utc;
    utc.Year = now.wYear;
    utc.Month = now.wMonth;
    utc.Day = now.wDay;
    utc.Hour = now.wHour;
    utc.Minute = now.wMinute;
    utc.Second = now.wSecond;
    return utc;
}

}  // namespace

void UpdateClock() {
    if (!Logging.Window) return;
    ApplyClockPlan(PlanClockUpdate(Clock, ReadUtcClock(), Settings.LogPath), kWindowImages);
}

void ReleaseClockBitmaps() {
    if (Logging.Window) ReleaseClockImages(kWindowImages);
}
