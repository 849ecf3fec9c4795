// The view-and-edit window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelFreq = 5;
constexpr int kIdEditFreq = 105;
constexpr int kIdLabelKhz = 6;
constexpr int kIdLabelStation = 7;
constexpr int kIdEditStation = 109;
constexpr int kIdLabelLocation = 8;
constexpr int kIdEditLocation = 110;
constexpr int kIdLabelRemarks = 9;
constexpr int kIdEditRemarks = 111;
constexpr int kIdButtonReport = 120;     // opens the Reception Report window for the entry
constexpr int kIdButtonExit = IDCANCEL;  // 2: Escape presses it too
