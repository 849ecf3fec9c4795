// The main window: banner, green panel with four buttons, and the menu bar.
#include "app/win/main_window.h"

#include "app/main_layout.h"
#include "app/win/about_box.h"
#include "app/win/backup_window.h"
#include "app/win/import_command.h"
#include "app/win/log_selection.h"
#include "app/win/main_window_ids.h"
#include "app/win/schedule_selection.h"
#include "browse/win/browse_window.h"
#include "logging/win/logging_window.h"
#include "logstore/log_store.h"
#include "print/win/print_window.h"
#include "receiver/win/receiver_window.h"
#include "reports/win/register_window.h"
#include "ui/control_table.h"
#include "ui/dialog_kit.h"
#include "ui/scale.h"

namespace {

constexpr COLORREF kMainBackground = RGB(0, 255, 255);
constexpr COLORREF kPanelBackground = RGB(0, 255, 0);
constexpr COLORREF kPanelText = RGB(0, 0, 0);

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

struct MainWindowState {
    DialogColours Colours;
};

MainWindowState g_main;

HMENU BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU files = CreatePopupMenu();
    AppendMenuA(files, MF_STRING, kIdMenuOpen, "&Open");
    AppendMenuA(files, MF_STRING, kIdMenuNew, "&New");
    AppendMenuA(files, MF_STRING, kIdMenuImport, "&Import CSV");
    AppendMenuA(files, MF_STRING, kIdMenuImportAdif, "Import &ADIF");
    AppendMenuA(files, MF_STRING, kIdMenuExit, "E&xit");
    HMENU logging = CreatePopupMenu();
    AppendMenuA(logging, MF_STRING, kIdButtonLogging, "&On Line");
    AppendMenuA(logging, MF_STRING, kIdButtonBrowse, "&Browse");
    AppendMenuA(logging, MF_STRING, kIdMenuReplies, "Re&plies");
    HMENU printing = CreatePopupMenu();
    AppendMenuA(printing, MF_STRING, kIdMenuPrint, "&Print Log");
    HMENU setup = CreatePopupMenu();
    AppendMenuA(setup, MF_STRING, kIdMenuBackupDrive, "&Back Up Drive");
    AppendMenuA(setup, MF_STRING, kIdMenuScheduleFile, "&Schedule File");
    AppendMenuA(setup, MF_STRING, kIdMenuNoSchedule, "&No Schedule");
    AppendMenuA(setup, MF_STRING, kIdMenuReceiver, "&Receiver");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kIdMenuAbout, "&About");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(files), "&Files");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(logging), "&Logging");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(printing), "&Printing");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(setup), "&Set Up");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

void AddControls(HWND window) {
    // Each button stands 52 scaled units right of the one before, rounded one
    // after the other, so their x come from this computed list.
    ButtonRow buttons = MainButtonPositions(ScaleFactor);
    const ControlRow rows[] = {
        {kIdPanelButtons, "STATIC", "", SS_LEFT, WS_EX_STATICEDGE, S(100), S(53), S(215), U(50)},
        {kIdButtonLogging, "BUTTON", "&Logging", kButtonStyle, 0, U(buttons.X[0]), S(60), S(38), U(30)},
        {kIdButtonBrowse, "BUTTON", "&Browse", kButtonStyle, 0, U(buttons.X[1]), S(60), S(38), U(30)},
        {kIdButtonPrint, "BUTTON", "Print LO&G", kButtonStyle, 0, U(buttons.X[2]), S(60), S(38), U(30)},
        {kIdButtonExit, "BUTTON", "E&xit", kButtonStyle, 0, U(buttons.X[3]), S(60), S(38), U(30)},
        // A bitmap static named after a resource loads it and takes its size.
        {kIdImageBanner, "STATIC", "ULMAR", SS_BITMAP, 0, S(150), S(120), U(0), U(0)},
        {kIdImageCrest, "STATIC", "CREST", SS_BITMAP, 0, S(250), S(200), U(0), U(0)},
    };
    AddControlTable(window, rows);
}

void SetColours(MainWindowState& state) {
    SetWindowBackground(&state.Colours, kMainBackground);
    SetControlColours(&state.Colours, kIdPanelButtons, kPanelText, kPanelBackground);
}

void ChooseLogAndShowIt(HWND window, bool createNew) {
    ChooseLog(window, createNew);
    SetMainWindowTitle(window);
}

void OnCommand(HWND window, int id) {
    switch (id) {
        case kIdMenuExit:
        case kIdButtonExit: EndModal(window, 0); break;
        case kIdMenuOpen: ChooseLogAndShowIt(window, false); break;
        case kIdMenuNew: ChooseLogAndShowIt(window, true); break;
        case kIdMenuImport: ImportCsvFile(window); break;
        case kIdMenuImportAdif: ImportAdifFile(window); break;
        case kIdButtonLogging: ShowLoggingWindow(window); break;
        case kIdButtonBrowse: ShowBrowseWindow(window); break;
        case kIdMenuReplies: ShowRegisterWindow(window); break;
        case kIdButtonPrint:
        case kIdMenuPrint: ShowPrintLogWindow(window); break;
        case kIdMenuBackupDrive: ShowBackupDriveWindow(window); break;
        case kIdMenuScheduleFile: ChooseSchedule(window); break;
        case kIdMenuNoSchedule: ClearSchedule(); break;
        case kIdMenuReceiver: ShowReceiverWindow(window); break;
        case kIdMenuAbout: ShowAboutBox(); break;
        default: break;
    }
}

INT_PTR CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_main.Colours, window, message, wParam, lParam, &coloured)) return coloured;
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
    SetColours(g_main);
    AddControls(window);
    SetMenu(window, BuildMenu());
    return window;
}

void RunMainWindow(HWND mainWindow) {
    RunModal(mainWindow, nullptr);
    FreeColours(&g_main.Colours);
}

void SetMainWindowTitle(HWND mainWindow) { SetWindowTextA(mainWindow, MainWindowTitle(Log.OpenPath).c_str()); }
