// The logging window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once

// The clock images, in the order of the characters of "HH:MM".
constexpr int kIdImageClock[5] = {22, 23, 24, 25, 26};

// Controls, in creation (tab) order; the clock images come after kIdPanelClock.
constexpr int kIdListRecent = 3073;
constexpr int kIdPanelForm = 21;
constexpr int kIdLabelEntry = 10;
constexpr int kIdEditEntryNumber = 122;
constexpr int kIdLabelFrequency = 5;
constexpr int kIdEditFrequency = 105;
constexpr int kIdLabelKhz = 6;
constexpr int kIdLabelStation = 11;
constexpr int kIdEditStation = 109;
constexpr int kIdLabelLocation = 12;
constexpr int kIdEditLocation = 110;
constexpr int kIdLabelRemarks = 13;
constexpr int kIdEditRemarks = 111;
constexpr int kIdButtonLogOn = 116;
constexpr int kIdPanelClock = 20;
// Only with a schedule loaded, after every other control, hidden while empty.
constexpr int kIdListCandidates = 3076;
// Only with a receiver set (Settings.ReceiverHost), after the candidate list.
constexpr int kIdButtonTune = 117;
constexpr int kIdLabelReceiverStatus = 125;
