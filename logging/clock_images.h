// Applies a clock plan to the five clock images through a small table of
// operations, so the bitmap bookkeeping is the same code in the window and in
// the tests: every bitmap that is replaced is deleted, and at most one bitmap
// per image is alive at any moment.
#pragma once
#include "logging/utc_clock.h"

struct ClockImageOps {
    void* Context;
    // Loads a bitmap resource by name; may give nullptr when it is missing.
    void* (*Load)(void* context, const char* name);
    // The bitmap the image in `slot` shows now (nullptr for none).
    void* (*Current)(void* context, int slot);
    // Makes the image in `slot` show `bitmap` (nullptr: nothing).
    void (*Show)(void* context, int slot, void* bitmap);
    // Deletes a bitmap that is no longer shown; never called with nullptr.
    void (*Destroy)(void* context, void* bitmap);
    void (*SetTitle)(void* context, const char* title);
};

void ApplyClockPlan(const ClockPlan& plan, const ClockImageOps& ops);
// Takes every bitmap out of the images and deletes it; for closing the window.
void ReleaseClockImages(const ClockImageOps& ops);
