// The view-and-edit window: one entry's four editable fields. "&EXIT" or Escape
// writes them back when something changed and the station is not blank; the
// close box leaves without writing.
#include "browse/view_edit_window.h"

#include <string>

#include "app/shared_values.h"
#include "browse/entry_edit.h"
#include "browse/page_state.h"
#include "browse/window_text.h"
#include "logstore/log_store.h"
#include "ui/dialog_kit.h"

namespace {

constexpr const char* kTitle = "     View and Edit";
constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWidthS = 160;
constexpr int kHeightS = 80;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | DS_CENTER;

constexpr COLORREF kBackground = RGB(0, 210, 221);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

constexpr int kIdFreqLabel = 5;
constexpr int kIdFreq = 105;
constexpr int kIdKhzLabel = 6;
constexpr int kIdStationLabel = 7;
constexpr int kIdStation = 109;
constexpr int kIdLocationLabel = 8;
constexpr int kIdLocation = 110;
constexpr int kIdRemarksLabel = 9;
constexpr int kIdRemarks = 111;
constexpr int kIdExit = IDCANCEL;  // 2: Escape presses it too

// Typing stops at each field's width, so nothing typed is silently cut when stored.
constexpr int kFreqLength = kFreqWidth;
constexpr int kStationLength = kStationWidth;
constexpr int kLocationLength = kLocationWidth;
constexpr int kRemarksLength = kRemarksWidth;

constexpr const char* kFailTitle = "View and Edit";
constexpr const char* kReadFailedText = "The entry could not be read.\n\n";
constexpr const char* kSaveFailedText = "The changes were not saved.\n\n";
constexpr const char* kSaveFailedTail = "\n\nWhat you typed is still in the window.";

struct ViewEditWindow {
    LogEntry shown{};    // the entry as read when the window opened
    bool ready = false;  // the boxes are filled: changes from now on are the user's
    DialogColours colours;
};

ViewEditWindow g_view;

void AddTextBox(HWND dialog, int id, const std::string& text, DWORD align, int x, int y, int width, int limit) {
    HWND box = AddControl(dialog, {id, "EDIT", text.c_str(), align | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, width, 12});
    if (box) SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void AddLabel(HWND dialog, int id, const char* text, DWORD align, int x, int y, int width) {
    AddControl(dialog, {id, "STATIC", text, align, 0, x, y, width, 8});
}

void AddControls(HWND dialog, const EditTexts& texts) {
    AddLabel(dialog, kIdFreqLabel, "Frequenc&y:", SS_RIGHT, Scaled(90), Scaled(10), 40);
    AddTextBox(dialog, kIdFreq, texts.Freq, ES_RIGHT, Scaled(90) + 42, Scaled(9), 28, kFreqLength);
    AddLabel(dialog, kIdKhzLabel, "KHz", SS_LEFT, Scaled(90) + 72, Scaled(10), 20);
    AddLabel(dialog, kIdStationLabel, "Station:", SS_RIGHT, 7, Scaled(10), 42);
    AddTextBox(dialog, kIdStation, texts.Station, ES_LEFT, 50, Scaled(9), 85, kStationLength);
    AddLabel(dialog, kIdLocationLabel, "Location:", SS_RIGHT, 7, Scaled(20), 42);
    AddTextBox(dialog, kIdLocation, texts.Location, ES_LEFT, 50, Scaled(19), 100, kLocationLength);
    AddLabel(dialog, kIdRemarksLabel, "Remarks:", SS_RIGHT, 7, Scaled(30), 42);
    AddTextBox(dialog, kIdRemarks, texts.Remarks, ES_LEFT, 50, Scaled(29), 200, kRemarksLength);
    AddControl(dialog, {kIdExit, "BUTTON", "&EXIT", BS_PUSHBUTTON | WS_TABSTOP, 0, Scaled(123), Scaled(60), 36, 13});
}

void SetColours(ViewEditWindow& window) {
    SetWindowBackground(&window.colours, kBackground);
    for (int id : {kIdFreqLabel, kIdKhzLabel, kIdStationLabel, kIdLocationLabel, kIdRemarksLabel}) {
        SetControlColours(&window.colours, id, kLabelText, kBackground);
    }
}

void FocusBox(HWND dialog, int id) { FocusControl(dialog, GetDlgItem(dialog, id)); }

EditTexts BoxTexts(HWND dialog) {
    return {ControlText(dialog, kIdFreq), ControlText(dialog, kIdStation), ControlText(dialog, kIdLocation),
            ControlText(dialog, kIdRemarks)};
}

void ReportFailure(const char* text, const char* tail) {
    std::string message = text + std::string(DescribeLogError(Log.LastError)) + tail;
    MessageBoxA(nullptr, message.c_str(), kFailTitle, MB_OK | MB_ICONEXCLAMATION);
}

void OnExit(HWND dialog) {
    EditTexts texts = BoxTexts(dialog);
    switch (ChooseExit(BrowsePage.EntryEdited, texts.Station)) {
        case ExitChoice::CloseOnly: EndModal(dialog, 0); break;
        case ExitChoice::StayOnStation: FocusBox(dialog, kIdStation); break;
        case ExitChoice::WriteBack:
            if (SaveEditedEntry(Log, BrowsePage.CurrentEntryNumber, EditedEntry(g_view.shown, texts))) {
                EndModal(dialog, 0);
            } else {
                ReportFailure(kSaveFailedText, kSaveFailedTail);  // the window stays, with what was typed
            }
            break;
    }
}

bool IsTextBox(int id) { return id == kIdFreq || id == kIdStation || id == kIdLocation || id == kIdRemarks; }

void OnCommand(HWND dialog, int id, int code) {
    if (IsTextBox(id) && code == EN_CHANGE) {
        if (g_view.ready) BrowsePage.EntryEdited = true;
    } else if (id == kIdExit) {
        OnExit(dialog);
    }
}

INT_PTR CALLBACK ViewEditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_view.colours, dialog, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        // Handled here so the close box never turns into "&EXIT" and never writes.
        case WM_CLOSE: EndModal(dialog, 0); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void ShowViewEditWindow(HWND owner) {
    BrowsePage.EntryEdited = false;
    int32_t entry = ChosenEntry(BrowsePage);
    if (entry < 1) return;
    BrowsePage.CurrentEntryNumber = entry;
    // Never show (and so never write back) a buffer left over from another entry.
    if (!ReadEntry(Log, entry)) {
        ReportFailure(kReadFailedText, "");
        return;
    }
    g_view = ViewEditWindow{};
    g_view.shown = Log.EntryBuffer;
    DialogSpec form = {kTitle, kFontName, kFontPoints, kWindowStyle, 0, 0, Scaled(kWidthS), Scaled(kHeightS)};
    HWND dialog = CreateDialogInCode(form, owner, ViewEditProc, 0);
    if (!dialog) return;
    SetProgramIcon(dialog);
    SetColours(g_view);
    AddControls(dialog, EditTextsOf(g_view.shown));
    g_view.ready = true;
    FocusBox(dialog, kIdExit);
    RunModal(dialog, owner);
    FreeColours(&g_view.colours);
}
