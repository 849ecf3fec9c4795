// The browse window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelStation = 99;
constexpr int kIdEditStation = 100;
constexpr int kIdButtonSearch = IDOK;  // 1: the Enter key sends it too
constexpr int kIdListEntries = 3074;
constexpr int kIdLabelHeading = 14;
constexpr int kIdButtonView = 202;
constexpr int kIdLabelEntry = 15;
constexpr int kIdEditFirstShown = 301;
constexpr int kIdLabelTo = 16;
constexpr int kIdEditLastShown = 302;
constexpr int kIdLabelKeysHint = 17;
