// The logging window's UTC clock without the window: the time and date texts
// read from one clock reading, and the plan of what one tick changes on screen
// (which images to reload, whether the title is rewritten).
#pragma once
#include <string>

#include "platform/utc_time.h"

// The texts the clock last showed; new reports are stamped with them.
struct ClockState {
    std::string ClockTime = "00:00";  // HH:MM
    std::string ClockDate;            // DD-MM-YYYY, empty until the first tick
    int ColonVisible = 0;             // carries over from one opening to the next
};

// The program's one clock.
extern ClockState Clock;

// What a new logging window starts from: the images show 00:00 and no date is known.
void ResetClockTexts(ClockState& clock);

// "HH:MM" of the reading, leading zeros kept.
std::string TimeText(const UtcTime& now);
// "DD-MM-YYYY" of the reading.
std::string WorkingDate(const UtcTime& now);
// The logging window's title for a DD-MM-YYYY date and the current log's path.
std::string LoggingTitle(const std::string& clockDate, const std::string& logPath);

// The five clock images, numbered by their character position in "HH:MM".
enum ClockSlot { kHourTens = 0, kHourUnits = 1, kColonSlot = 2, kMinuteTens = 3, kMinuteUnits = 4 };
constexpr int kClockSlots = 5;

// One image to replace: the slot and the bitmap resource name to load into it.
struct ImageSwap {
    int Slot;
    char Name[3];  // "F0".."F9", "FC" (colon lit) or "FB" (colon dark)
};

// Everything one tick changes, in the order it is applied.
struct ClockPlan {
    ImageSwap Swaps[kClockSlots] = {};  // the colon first, then each changed digit
    int SwapCount = 0;
    bool TitleChanged = false;
    std::string Title;
};

// Advances the clock to `now`: toggles the colon, keeps the new texts in
// `clock` and says which images and which title the window must show.
ClockPlan PlanClockUpdate(ClockState& clock, const UtcTime& now, const std::string& logPath);
