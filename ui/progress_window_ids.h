// The ids of the progress window's controls (ui/progress_window.h), shared with the tests.
#pragma once

constexpr int kIdProgressText = 2901;  // "<done> of <total> <what>"
constexpr int kIdProgressBar = 2902;   // the filled part of the bar
constexpr int kIdProgressFrame = 2903; // the bar's frame
