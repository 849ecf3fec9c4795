// The view-and-edit window: one entry's four editable fields. "&EXIT" or Escape
// writes them back when something changed and the station is not blank; the
// close box leaves without writing.
#include "browse/win/view_edit_window.h"

#include <string>

#include "browse/entry_edit.h"
#include "browse/page_state.h"
#include "browse/win/view_edit_window_ids.h"
#include "logstore/log_store.h"
#include "reports/win/report_window.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"
#include "ui/scale.h"

namespace {

constexpr const char* kTitle = "     View and Edit";
constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWidthS = 160;
constexpr int kHeightS = 80;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | DS_CENTER;

constexpr COLORREF kBackground = RGB(0, 210, 221);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

constexpr DWORD kBoxStyle = WS_TABSTOP;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;

constexpr const char* kReadFailedText = "The entry could not be read.\n\n";
constexpr const char* kSaveFailedText = "The changes were not saved.\n\n";
constexpr const char* kSaveFailedTail = "\n\nWhat you typed is still in the window.";

struct ViewEditWindowState {
    LogEntry Shown{};    // the entry as read when the window opened
    bool Ready = false;  // the boxes are filled: changes from now on are the user's
    DialogColours Colours;
};

ViewEditWindowState g_viewEdit;

void AddControls(HWND dialog, const EditTexts& texts) {
    const ControlRow rows[] = {
        {kIdLabelFreq, "STATIC", "Frequenc&y:", SS_RIGHT, 0, S(90), S(10), U(40), U(8)},
        {kIdEditFreq, "EDIT", texts.Freq.c_str(), ES_RIGHT | kBoxStyle, kEdge, S(90) + U(42), S(9), U(28), U(12)},
        {kIdLabelKhz, "STATIC", "KHz", SS_LEFT, 0, S(90) + U(72), S(10), U(20), U(8)},
        {kIdLabelStation, "STATIC", "Station:", SS_RIGHT, 0, U(7), S(10), U(42), U(8)},
        {kIdEditStation, "EDIT", texts.Station.c_str(), ES_LEFT | kBoxStyle, kEdge, U(50), S(9), U(85), U(12)},
        {kIdLabelLocation, "STATIC", "Location:", SS_RIGHT, 0, U(7), S(20), U(42), U(8)},
        {kIdEditLocation, "EDIT", texts.Location.c_str(), ES_LEFT | kBoxStyle, kEdge, U(50), S(19), U(100), U(12)},
        {kIdLabelRemarks, "STATIC", "Remarks:", SS_RIGHT, 0, U(7), S(30), U(42), U(8)},
        {kIdEditRemarks, "EDIT", texts.Remarks.c_str(), ES_LEFT | kBoxStyle, kEdge, U(50), S(29), U(200), U(12)},
        {kIdButtonReport, "BUTTON", "&Report", BS_PUSHBUTTON | WS_TABSTOP, 0, S(83), S(60), U(36), U(13)},
        {kIdButtonExit, "BUTTON", "&EXIT", BS_PUSHBUTTON | WS_TABSTOP, 0, S(123), S(60), U(36), U(13)},
    };
    AddControlTable(dialog, rows);
    LimitReportBoxes(dialog, {kIdEditFreq, kIdEditStation, kIdEditLocation, kIdEditRemarks});
}

void SetColours(ViewEditWindowState& window) {
    SetWindowBackground(&window.Colours, kBackground);
    for (int id : {kIdLabelFreq, kIdLabelKhz, kIdLabelStation, kIdLabelLocation, kIdLabelRemarks}) {
        SetControlColours(&window.Colours, id, kLabelText, kBackground);
    }
}

EditTexts BoxTexts(HWND dialog) {
    return {ControlText(dialog, kIdEditFreq), ControlText(dialog, kIdEditStation), ControlText(dialog, kIdEditLocation),
            ControlText(dialog, kIdEditRemarks)};
}

void ReportFailure(const char* text, const char* tail) {
    std::string message = text + std::string(DescribeLogError(Log.LastError)) + tail;
    ShowMessageBox(nullptr, kCaptionViewAndEdit, message, MB_OK | MB_ICONEXCLAMATION);
}

void OnExit(HWND dialog) {
    EditTexts texts = BoxTexts(dialog);
    switch (ChooseExit(BrowsePage.EntryEdited, texts.Station)) {
        case ExitChoice::CloseOnly: EndModal(dialog, 0); break;
        case ExitChoice::StayOnStation: FocusControl(dialog, kIdEditStation); break;
        case ExitChoice::WriteBack:
            if (SaveEditedEntry(Log, BrowsePage.CurrentEntryNumber, EditedEntry(g_viewEdit.Shown, texts), Register)) {
                EndModal(dialog, 0);
            } else {
                ReportFailure(kSaveFailedText, kSaveFailedTail);  // the window stays, with what was typed
            }
            break;
    }
}

bool IsTextBox(int id) {
    return id == kIdEditFreq || id == kIdEditStation || id == kIdEditLocation || id == kIdEditRemarks;
}

void OnCommand(HWND dialog, int id, int code) {
    if (IsTextBox(id) && code == EN_CHANGE) {
        if (g_viewEdit.Ready) BrowsePage.EntryEdited = true;
    } else if (id == kIdButtonExit) {
        OnExit(dialog);
    } else if (id == kIdButtonReport && code == BN_CLICKED) {
        ShowReportWindow(dialog, BrowsePage.CurrentEntryNumber);
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        default: return false;  // Close ends the window: it never turns into "&EXIT" and never writes
    }
}

void OpenWindow(HWND dialog) {
    SetColours(g_viewEdit);
    AddControls(dialog, EditTextsOf(g_viewEdit.Shown));
    g_viewEdit.Ready = true;
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
    g_viewEdit = ViewEditWindowState{};
    g_viewEdit.Shown = Log.EntryBuffer;
    ModalWindow window;
    window.Form = {kTitle, kFontName, kFontPoints, kWindowStyle, 0, 0, Scaled(kWidthS), Scaled(kHeightS)};
    window.Open = OpenWindow;
    window.FirstFocus = kIdButtonExit;
    window.Colours = &g_viewEdit.Colours;
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
}
