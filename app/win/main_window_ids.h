// The main window's control and command ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdPanelButtons = 1;
constexpr int kIdButtonLogging = 201;
constexpr int kIdButtonBrowse = 202;
constexpr int kIdButtonPrint = 203;
constexpr int kIdButtonExit = 204;
constexpr int kIdImageBanner = 27;
constexpr int kIdImageCrest = 28;

// Menu commands; "&On Line" and "&Browse" share the buttons' ids.
constexpr int kIdMenuOpen = 100;
constexpr int kIdMenuNew = 101;
constexpr int kIdMenuImport = 102;
constexpr int kIdMenuImportAdif = 103;
constexpr int kIdMenuExit = IDCANCEL;  // 2: Escape chooses it too
constexpr int kIdMenuReplies = 205;    // the Report Register window
constexpr int kIdMenuPrint = 300;
constexpr int kIdMenuBackupDrive = 505;
constexpr int kIdMenuScheduleFile = 506;
constexpr int kIdMenuNoSchedule = 507;
constexpr int kIdMenuReceiver = 508;
constexpr int kIdMenuAbout = 700;
