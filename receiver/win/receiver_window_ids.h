// The Receiver window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelHost = 100;
constexpr int kIdEditHost = 240;
constexpr int kIdLabelPort = 101;
constexpr int kIdEditPort = 241;
constexpr int kIdLabelStatus = 102;
constexpr int kIdLabelReceiverStatus = 242;
constexpr int kIdButtonExit = IDCANCEL;  // 2: Escape presses it too
