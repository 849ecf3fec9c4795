// The main window: banner, green panel with four buttons, and the menu bar.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/backup.h"
#include "app/log_selection.h"
#include "app/main_layout.h"
#include "app/shared_values.h"
#include "browse/browse_window.h"
#include "logging/logging_window.h"
#include "logstore/settings.h"
#include "print/print_window.h"
#include "ui/dialog_kit.h"

namespace {

constexpr COLORREF kMainBackground = RGB(0, 255, 255);
constexpr COLORREF kPanelBackground = RGB(0, 255, 0);
constexpr COLORREF kPanelText = RGB(0, 0, 0);

constexpr int kIdPanel = 1;
constexpr int kIdLogging = 201;  // buttons are 200 + k
constexpr int kIdBrowse = 202;
constexpr int kIdPrint = 203;
constexpr int kIdExitButton = 204;
constexpr int kIdBanner = 27;
constexpr int kIdCrest = 28;

constexpr int kIdOpen = 100;
constexpr int kIdNew = 101;
constexpr int kIdExit = 2;
constexpr int kIdPrintMenu = 300;
constexpr int kIdBackupDrive = 505;
constexpr int kIdAbout = 700;

const char* const kButtonCaptions[4] = {"&Logging", "&Browse", "Print LO&G", "E&xit"};

DialogColours g_colours;

HMENU BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU files = CreatePopupMenu();
    AppendMenuA(files, MF_STRING, kIdOpen, "&Open");
    AppendMenuA(files, MF_STRING, kIdNew, "&New");
    AppendMenuA(files, MF_STRING, kIdExit, "E&xit");
    HMENU logging = CreatePopupMenu();
    AppendMenuA(logging, MF_STRING, kIdLogging, "&On Line");
    AppendMenuA(logging, MF_STRING, kIdBrowse, "&Browse");
    HMENU printing = CreatePopupMenu();
    AppendMenuA(printing, MF_STRING, kIdPrintMenu, "&Print Log");
    HMENU setup = CreatePopupMenu();
    AppendMenuA(setup, MF_STRING, kIdBackupDrive, "&Back Up Drive");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kIdAbout, "&About");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(files), "&Files");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(logging), "&Logging");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(printing), "&Printing");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(setup), "&Set Up");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

void AddControls(HWND window) {
    AddControl(window, {kIdPanel, "STATIC", "", SS_LEFT, WS_EX_STATICEDGE, Scaled(100), Scaled(53), Scaled(215), 50});
    ButtonRow row = MainButtonPositions(ScaleFactor);
    for (int k = 0; k < 4; ++k) {
        AddControl(window, {kIdLogging + k, "BUTTON", kButtonCaptions[k], BS_PUSHBUTTON | WS_TABSTOP, 0, row.x[k],
                            Scaled(60), Scaled(38), 30});
    }
    // A bitmap static named after a resource loads it and takes its size.
    AddControl(window, {kIdBanner, "STATIC", "ULMAR", SS_BITMAP, 0, Scaled(150), Scaled(120), 0, 0});
    AddControl(window, {kIdCrest, "STATIC", "CREST", SS_BITMAP, 0, Scaled(250), Scaled(200), 0, 0});
}

void OnCommand(HWND window, int id) {
    switch (id) {
        case kIdExit:
        case kIdExitButton: EndModal(window, 0); break;
        case kIdOpen: ChooseLog(window, false); break;
        case kIdNew: ChooseLog(window, true); break;
        case kIdLogging: ShowLoggingWindow(window); break;
        case kIdBrowse: ShowBrowseWindow(window); break;
        case kIdPrint:
        case kIdPrintMenu: ShowPrintLogWindow(window); break;
        case kIdBackupDrive: ShowBackupDriveWindow(window); break;
        case kIdAbout: ShowAboutBox(); break;
        default: break;
    }
}

INT_PTR CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_colours, window, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
        case WM_CLOSE: EndModal(window, 0); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

HWND BuildMainWindow() {
    DialogSpec form = {"", "MS Sans Serif", 8, WS_OVERLAPPEDWINDOW | DS_CENTER, 0, 0, Scaled(420), Scaled(270)};
    HWND window = CreateDialogInCode(form, nullptr, MainProc, 0);
    if (!window) return nullptr;
    SetMainWindowTitle(window);
    SetProgramIcon(window);
    SetWindowBackground(&g_colours, kMainBackground);
    SetControlColours(&g_colours, kIdPanel, kPanelText, kPanelBackground);
    AddControls(window);
    SetMenu(window, BuildMenu());
    return window;
}

void RunMainWindow(HWND mainWindow) {
    RunModal(mainWindow, nullptr);
    FreeColours(&g_colours);
}

void SetMainWindowTitle(HWND mainWindow) {
    SetWindowTextA(mainWindow, MainWindowTitle(Settings.LogPath).c_str());
}
