#include "logging/win/clock_display.h"

#include "logging/clock_images.h"
#include "logging/win/logging_window_ids.h"

namespace {

// The ops' context is the logging window.
HWND ImageControl(void* window, int slot) { return GetDlgItem(static_cast<HWND>(window), kIdImageClock[slot]); }

void* LoadClockBitmap(void*, const char* name) { return LoadBitmapA(GetModuleHandleA(nullptr), name); }

void* CurrentBitmap(void* window, int slot) {
    return reinterpret_cast<void*>(SendMessageA(ImageControl(window, slot), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

void ShowBitmap(void* window, int slot, void* bitmap) {
    SendMessageA(ImageControl(window, slot), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void DeleteBitmap(void*, void* bitmap) { DeleteObject(static_cast<HGDIOBJ>(bitmap)); }

void SetTitle(void* window, const char* title) { SetWindowTextA(static_cast<HWND>(window), title); }

ClockImageOps WindowImages(HWND window) {
    return {window, LoadClockBitmap, CurrentBitmap, ShowBitmap, DeleteBitmap, SetTitle};
}

}  // namespace

void UpdateClockDisplay(HWND window, const std::string& logPath) {
    ApplyClockPlan(PlanClockUpdate(Clock, UtcNow(), logPath), WindowImages(window));
}

void ReleaseClockBitmaps(HWND window) { ReleaseClockImages(WindowImages(window)); }
