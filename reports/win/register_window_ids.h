// The Report Register window's control ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelAwaiting = 520;
constexpr int kIdAwaiting = 510;
constexpr int kIdLabelReplies = 521;
constexpr int kIdReplies = 511;
constexpr int kIdLabelNotInLog = 522;
constexpr int kIdNotInLog = 512;
constexpr int kIdTotals = 513;
constexpr int kIdExit = IDCANCEL;  // 2: Escape presses it too
