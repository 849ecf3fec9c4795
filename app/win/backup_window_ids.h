// The backup-drive window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelDrive = 100;
constexpr int kIdEditDrive = 200;
constexpr int kIdLabelKept = 101;
constexpr int kIdEditKept = 201;
constexpr int kIdLabelNewest = 102;
constexpr int kIdNewestLine = 103;
constexpr int kIdButtonExit = IDCANCEL;  // 2: Escape presses it too
