// The ids of the progress window's controls (ui/progress_window.h), shared with the tests.
#pragma once

constexpr int kIdBarText = 2901;    // "<done> of <total> <what>"
constexpr int kIdBarFilled = 2902;  // the filled part of the bar
constexpr int kIdBarFrame = 2903;   // the bar's frame
