// The Print Log window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdLabelStart = 316;
constexpr int kIdEditStart = 200;
constexpr int kIdCheckToFile = 317;
constexpr int kIdEditFileName = 208;
constexpr int kIdListOutput = 225;
constexpr int kIdCheckPause = 318;
constexpr int kIdLabelStation = 230;
constexpr int kIdEditStation = 220;
constexpr int kIdLabelDateFrom = 231;
constexpr int kIdEditDateFrom = 221;
constexpr int kIdLabelDateTo = 232;
constexpr int kIdEditDateTo = 222;
constexpr int kIdLabelFrequencyFrom = 233;
constexpr int kIdEditFrequencyFrom = 223;
constexpr int kIdLabelFrequencyTo = 234;
constexpr int kIdEditFrequencyTo = 224;
constexpr int kIdLabelKhz = 235;
constexpr int kIdLabelReplies = 236;
constexpr int kIdListReplies = 226;  // all, awaiting a reply, reply received, no report sent
constexpr int kIdButtonRun = 206;
constexpr int kIdButtonExit = IDCANCEL;  // 2: Escape presses it too
