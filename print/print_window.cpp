// The Print Log window: where to start, printer or file, and the pause
// between pages. Its main button runs PrintLog and the window closes after.
#include "print/print_window.h"

#include <string>

#include "logstore/settings.h"
#include "print/print_run.h"
#include "print/print_text.h"
#include "ui/dialog_kit.h"

namespace {

constexpr const char* kTitle = "PRINT LOG ";
constexpr const char* kFontName = "MS Sans Serif";
constexpr WORD kFontPoints = 8;
constexpr int kX = 25, kY = 25, kWidth = 280, kHeight = 140;

constexpr COLORREF kBackground = RGB(255, 255, 0);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

constexpr int kIdStartLabel = 316;
constexpr int kIdStart = 200;
constexpr int kIdToFile = 317;
constexpr int kIdFileName = 208;
constexpr int kIdPause = 318;
constexpr int kIdRun = 206;
constexpr int kIdExit = 2;

constexpr const char* kRunPrint = "&Print";
constexpr const char* kRunSave = "Sa&ve";

constexpr DWORD kTextBoxStyle = ES_LEFT | WS_TABSTOP;  // single line, no horizontal scrolling
constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER;

struct PrintLogWindowState {
    DialogColours colours;
    bool running = false;  // a run is in progress: no second one starts
};

PrintLogWindowState PrintLogWindow;

std::string ProposedExportName() {
    std::string upper = Settings.LogPath;
    if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return ExportNameFromUpperPath(upper);
}

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void AddControls(HWND dialog) {
    AddControl(dialog, {kIdStartLabel, "STATIC", "Start at &Entry Number:", SS_RIGHT, 0, 18, 10, 75, 10});
    AddControl(dialog, {kIdStart, "EDIT", "1", kTextBoxStyle, WS_EX_CLIENTEDGE, 98, 9, 40, 10});
    AddControl(dialog, {kIdToFile, "BUTTON", "File to &Disc:", kCheckStyle, 0, 15, 24, 90, 12});
    std::string proposed = ProposedExportName();
    AddControl(dialog, {kIdFileName, "EDIT", proposed.c_str(), kTextBoxStyle, WS_EX_CLIENTEDGE, 115, 26, 150, 12});
    AddControl(dialog, {kIdPause, "BUTTON", "P&ause between Pages:", kCheckStyle, 0, 15, 40, 90, 12});
    AddControl(dialog, {kIdRun, "BUTTON", kRunPrint, kButtonStyle, 0, 150, 120, 35, 15});
    AddControl(dialog, {kIdExit, "BUTTON", "E&xit", kButtonStyle, 0, 210, 120, 35, 15});
}

void OnToFileClicked(HWND dialog) {
    bool toFile = IsTicked(dialog, kIdToFile);
    SetDlgItemTextA(dialog, kIdRun, toFile ? kRunSave : kRunPrint);
    // The pause box keeps its tick while it is disabled.
    EnableWindow(GetDlgItem(dialog, kIdPause), toFile ? FALSE : TRUE);
}

void OnRun(HWND dialog) {
    std::string startText = ControlText(dialog, kIdStart);
    bool toFile = IsTicked(dialog, kIdToFile);
    std::string fileName = ControlText(dialog, kIdFileName);
    bool pause = IsTicked(dialog, kIdPause);
    PrintLogWindow.running = true;
    // The run's message boxes have no owner; a disabled window takes no
    // second press meanwhile.
    EnableWindow(dialog, FALSE);
    PrintLog(startText, toFile, fileName, pause);
    PrintLogWindow.running = false;
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id, int notification) {
    if (PrintLogWindow.running || notification != BN_CLICKED) return;
    switch (id) {
        case kIdExit: EndModal(dialog, 0); break;
        case kIdRun: OnRun(dialog); break;
        case kIdToFile: OnToFileClicked(dialog); break;
        default: break;
    }
}

INT_PTR CALLBACK PrintWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(PrintLogWindow.colours, dialog, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void ShowPrintLogWindow(HWND owner) {
    PrintLogWindow = PrintLogWindowState{};
    DialogSpec form = {kTitle, kFontName, kFontPoints, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_ABSALIGN,
                       kX, kY, kWidth, kHeight};
    HWND dialog = CreateDialogInCode(form, owner, PrintWindowProc, 0);
    if (!dialog) return;
    SetWindowBackground(&PrintLogWindow.colours, kBackground);
    AddControls(dialog);
    for (int id : {kIdStartLabel, kIdToFile, kIdPause}) {
        SetControlColours(&PrintLogWindow.colours, id, kLabelText, kBackground);
    }
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kIdStart)), TRUE);
    RunModal(dialog, owner);
    FreeColours(&PrintLogWindow.colours);
}
