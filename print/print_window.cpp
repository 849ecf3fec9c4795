// The Print Log window: where to start, printer or file, and the pause
// between pages. Its main button runs PrintLog and the window closes after.
#include "print/print_window.h"

#include <string>

#include "logstore/log_store.h"
#include "print/print_run.h"
#include "print/print_text.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/dialog_kit.h"

namespace {

constexpr const char* kTitle = "PRINT LOG ";
constexpr const char* kFontName = "MS Sans Serif";
constexpr WORD kFontPoints = 8;
constexpr int kX = 25, kY = 25, kWidth = 280, kHeight = 140;

constexpr COLORREF kBackground = RGB(255, 255, 0);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

// Controls, in creation (tab) order.
constexpr int kIdLabelStart = 316;
constexpr int kIdEditStart = 200;
constexpr int kIdCheckToFile = 317;
constexpr int kIdEditFileName = 208;
constexpr int kIdCheckPause = 318;
constexpr int kIdButtonRun = 206;
constexpr int kIdButtonExit = 2;

constexpr const char* kRunPrint = "&Print";
constexpr const char* kRunSave = "Sa&ve";

constexpr DWORD kTextBoxStyle = ES_LEFT | WS_TABSTOP;  // single line, no horizontal scrolling
constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER;

struct PrintLogWindowState {
    DialogColours colours;
    bool running = false;  // a run is in progress: no second one starts
};

PrintLogWindowState g_printLog;

std::string ProposedExportName() {
    std::string upper = Log.OpenPath;
    if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return ExportNameFromUpperPath(upper);
}

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void AddControls(HWND dialog) {
    std::string proposed = ProposedExportName();
    const ControlRow rows[] = {
        {kIdLabelStart, "STATIC", "Start at &Entry Number:", SS_RIGHT, 0, U(18), U(10), U(75), U(10)},
        {kIdEditStart, "EDIT", "1", kTextBoxStyle, WS_EX_CLIENTEDGE, U(98), U(9), U(40), U(10)},
        {kIdCheckToFile, "BUTTON", "File to &Disc:", kCheckStyle, 0, U(15), U(24), U(90), U(12)},
        {kIdEditFileName, "EDIT", proposed.c_str(), kTextBoxStyle, WS_EX_CLIENTEDGE, U(115), U(26), U(150), U(12)},
        {kIdCheckPause, "BUTTON", "P&ause between Pages:", kCheckStyle, 0, U(15), U(40), U(90), U(12)},
        {kIdButtonRun, "BUTTON", kRunPrint, kButtonStyle, 0, U(150), U(120), U(35), U(15)},
        {kIdButtonExit, "BUTTON", "E&xit", kButtonStyle, 0, U(210), U(120), U(35), U(15)},
    };
    AddControlTable(dialog, rows);
}

void SetColours(PrintLogWindowState& window) {
    SetWindowBackground(&window.colours, kBackground);
    for (int id : {kIdLabelStart, kIdCheckToFile, kIdCheckPause}) {
        SetControlColours(&window.colours, id, kLabelText, kBackground);
    }
}

void OnToFileClicked(HWND dialog) {
    bool toFile = IsTicked(dialog, kIdCheckToFile);
    SetDlgItemTextA(dialog, kIdButtonRun, toFile ? kRunSave : kRunPrint);
    // The pause box keeps its tick while it is disabled.
    EnableWindow(GetDlgItem(dialog, kIdCheckPause), toFile ? FALSE : TRUE);
}

void OnRun(HWND dialog) {
    std::string startText = ControlText(dialog, kIdEditStart);
    bool toFile = IsTicked(dialog, kIdCheckToFile);
    std::string fileName = ControlText(dialog, kIdEditFileName);
    bool pause = IsTicked(dialog, kIdCheckPause);
    g_printLog.running = true;
    // The run's message boxes have no owner; a disabled window takes no
    // second press meanwhile.
    EnableWindow(dialog, FALSE);
    PrintLog(startText, toFile, fileName, pause);
    g_printLog.running = false;
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id, int notification) {
    if (g_printLog.running || notification != BN_CLICKED) return;
    switch (id) {
        case kIdButtonExit: EndModal(dialog, 0); break;
        case kIdButtonRun: OnRun(dialog); break;
        case kIdCheckToFile: OnToFileClicked(dialog); break;
        default: break;
    }
}

INT_PTR CALLBACK PrintWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_printLog.colours, dialog, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void ShowPrintLogWindow(HWND owner) {
    g_printLog = PrintLogWindowState{};
    DialogSpec form = {kTitle, kFontName, kFontPoints, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_ABSALIGN,
                       kX, kY, kWidth, kHeight};
    HWND dialog = CreateDialogInCode(form, owner, PrintWindowProc, 0);
    if (!dialog) return;
    SetColours(g_printLog);
    AddControls(dialog);
    FocusControl(dialog, kIdEditStart);
    RunModal(dialog, owner);
    FreeColours(&g_printLog.colours);
}
