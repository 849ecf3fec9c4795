// The logging window: the UTC clock at the top, the list of reports saved
// since it opened, and the form whose Log On button appends a report.
#include "logging/logging_window.h"

#include <string>

#include "logging/clock_display.h"
#include "logging/recent_list_draw.h"
#include "logging/recent_rows.h"
#include "logging/report_save.h"
#include "logging/utc_clock.h"
#include "logstore/log_store.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/dialog_kit.h"
#include "ui/list_box.h"
#include "ui/log_guard.h"
#include "ui/scale.h"

namespace {

constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWindowWidth = 315;   // scaled
constexpr int kWindowHeight = 270;  // scaled
constexpr COLORREF kWindowBackground = RGB(0, 210, 221);
constexpr COLORREF kEntryNumberText = RGB(0, 0, 0);
constexpr COLORREF kEntryNumberBack = RGB(255, 255, 255);
constexpr COLORREF kClockPanelText = RGB(0, 0, 0);
constexpr COLORREF kClockPanelBack = RGB(0, 0, 0);
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 1000;

// Controls, in creation (tab) order; the clock images are kIdImageClock.
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

constexpr DWORD kListStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | LBS_DISABLENOSCROLL;
constexpr DWORD kBoxStyle = ES_LEFT | WS_TABSTOP;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;

constexpr const char* kMessageCaption = "Ulmar";

struct LoggingWindowState {
    int recentRows = 15;
    int recentFilled = 0;
    int cellWidth = 8;  // width of a character cell of the list's font, pixels
    DialogColours colours;
};

LoggingWindowState g_logging;

void AddControls(HWND window) {
    std::string next = EntryNumberText(static_cast<int64_t>(Log.EntryCount) + 1);
    const ControlRow rows[] = {
        {kIdListRecent, "LISTBOX", "", kListStyle, kEdge, U(5), S(30), S(300), S(140)},
        {kIdPanelForm, "STATIC", "", SS_LEFT | WS_BORDER, 0, U(5), S(175), S(255), S(90)},
        {kIdLabelEntry, "STATIC", "Entry:", SS_RIGHT, 0, U(105), S(180), U(25), U(8)},
        {kIdEditEntryNumber, "EDIT", next.c_str(), ES_LEFT | ES_READONLY, kEdge, U(130), S(179), U(25), U(12)},
        {kIdLabelFrequency, "STATIC", "Frequenc&y:", SS_RIGHT, 0, S(120), S(200), U(40), U(8)},
        {kIdEditFrequency, "EDIT", "", ES_RIGHT | WS_TABSTOP, kEdge, S(120) + U(46), S(199), U(28), U(12)},
        {kIdLabelKhz, "STATIC", "KHz", SS_LEFT, 0, S(120) + U(85), S(200), U(30), U(8)},
        {kIdLabelStation, "STATIC", "Station:", SS_RIGHT, 0, U(7), S(200), U(42), U(8)},
        {kIdEditStation, "EDIT", "", kBoxStyle, kEdge, U(50), S(199), U(85), U(12)},
        {kIdLabelLocation, "STATIC", "Location:", SS_RIGHT, 0, U(7), S(215), U(42), U(8)},
        {kIdEditLocation, "EDIT", "", kBoxStyle, kEdge, U(50), S(214), U(100), U(12)},
        {kIdLabelRemarks, "STATIC", "Remarks 1:", SS_RIGHT, 0, U(7), S(230), U(40), U(8)},
        {kIdEditRemarks, "EDIT", "", kBoxStyle, kEdge, U(50), S(229), U(200), U(12)},
        {kIdButtonLogOn, "BUTTON", "&Log On", BS_PUSHBUTTON | BS_CENTER, 0, S(223), S(178), U(36), U(13)},
        {kIdPanelClock, "STATIC", "", SS_LEFT | WS_BORDER, WS_EX_STATICEDGE, S(138), U(7), S(40), S(20)},
        // An image control named after a bitmap resource loads it and takes its size.
        {kIdImageClock[0], "STATIC", "F0", SS_BITMAP, 0, S(140), S(8), U(15), U(28)},
        {kIdImageClock[1], "STATIC", "F0", SS_BITMAP, 0, S(148), S(8), U(15), U(28)},
        {kIdImageClock[2], "STATIC", "FC", SS_BITMAP, 0, S(156), S(8), U(3), U(28)},
        {kIdImageClock[3], "STATIC", "F0", SS_BITMAP, 0, S(160), S(8), U(15), U(28)},
        {kIdImageClock[4], "STATIC", "F0", SS_BITMAP, 0, S(168), S(8), U(15), U(28)},
    };
    AddControlTable(window, rows);
    LimitReportBoxes(window, {kIdEditFrequency, kIdEditStation, kIdEditLocation, kIdEditRemarks});
}

void SetColours(LoggingWindowState& state) {
    SetWindowBackground(&state.colours, kWindowBackground);
    SetControlColours(&state.colours, kIdEditEntryNumber, kEntryNumberText, kEntryNumberBack);
    SetControlColours(&state.colours, kIdPanelClock, kClockPanelText, kClockPanelBack);
}

void PrepareRecentList(HWND window, LoggingWindowState& state) {
    HWND list = GetDlgItem(window, kIdListRecent);
    state.recentRows = RecentRowsFor(ScaleFactor);
    std::string blank = BlankRecentRow();
    for (int i = 0; i < state.recentRows; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(blank.c_str()));
    TrimListItemHeight(list);
    state.cellWidth = ListCellWidth(list);
}

// Scrolls the list, if need be, so that the report just listed can be seen.
void ShowRow(HWND list, int row) {
    RECT client;
    GetClientRect(list, &client);
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (height == LB_ERR || height <= 0) return;
    int visible = static_cast<int>((client.bottom - client.top) / height);
    int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    int wanted = TopRowShowing(row, top, visible);
    if (wanted != top) SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(wanted), 0);
}

void ListReport(HWND window, const std::string& row) {
    HWND list = GetDlgItem(window, kIdListRecent);
    RecentPlacement place = PlaceRecentReport(g_logging.recentFilled, g_logging.recentRows);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(place.deleteRow), 0);
    LPARAM text = reinterpret_cast<LPARAM>(row.c_str());
    if (place.insertRow < 0) {
        SendMessageA(list, LB_ADDSTRING, 0, text);
    } else {
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(place.insertRow), text);
    }
    g_logging.recentFilled = FilledAfterReport(g_logging.recentFilled, g_logging.recentRows);
    ShowRow(list, place.insertRow < 0 ? g_logging.recentRows - 1 : place.insertRow);
}

void ClearForNextReport(HWND window) {
    SetDlgItemTextA(window, kIdEditStation, "");
    SetDlgItemTextA(window, kIdEditLocation, "");
    SetDlgItemTextA(window, kIdEditRemarks, "");
    FocusControl(window, kIdEditStation);
    SetDlgItemTextA(window, kIdEditEntryNumber, EntryNumberText(Log.EntryCount).c_str());
}

// The typed report goes to the log first; only a report that is really in the
// file is listed and cleared from the boxes.
void OnLogOn(HWND window) {
    ReportTexts texts = {ControlText(window, kIdEditFrequency), ControlText(window, kIdEditStation),
                         ControlText(window, kIdEditLocation), ControlText(window, kIdEditRemarks)};
    switch (SaveReport(Log, texts, Clock)) {
        case SaveResult::BlankStation: FocusControl(window, kIdEditStation); return;
        case SaveResult::NotSaved:
            // Nothing is listed or cleared, so the listener can try again.
            MessageBoxA(nullptr, NotSavedMessage(Log.LastError).c_str(), kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
            return;
        case SaveResult::Saved: break;
    }
    ListReport(window, RecentReportRow(Log.EntryBuffer));
    ClearForNextReport(window);
}

void OnCommand(HWND window, int id) {
    switch (id) {
        case IDCANCEL: EndModal(window, 0); break;
        case kIdButtonLogOn: OnLogOn(window); break;
        default: break;  // Enter (IDOK) and list clicks do nothing
    }
}

BOOL OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
    if (id != kIdListRecent) return FALSE;
    DrawRecentRow(item, g_logging.cellWidth);
    return TRUE;
}

void OnClockTick(HWND window) { UpdateClockDisplay(window, Log.OpenPath); }

void OnDestroy(HWND window) {
    KillTimer(window, kClockTimer);
    ReleaseClockBitmaps(window);
}

INT_PTR CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_logging.colours, window, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_DRAWITEM: return OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
        case WM_TIMER: OnClockTick(window); return TRUE;
        case WM_CLOSE: EndModal(window, 0); return TRUE;
        case WM_DESTROY: OnDestroy(window); return FALSE;
        default: return FALSE;
    }
}

HWND BuildWindow(HWND parent) {
    DialogSpec form = {"", kFontName, kFontPoints, WS_OVERLAPPEDWINDOW | DS_CENTER, 0, 0, Scaled(kWindowWidth),
                       Scaled(kWindowHeight)};
    HWND window = CreateDialogInCode(form, parent, LoggingProc, 0);
    if (!window) return nullptr;
    SetProgramIcon(window);
    SetColours(g_logging);
    AddControls(window);
    PrepareRecentList(window, g_logging);
    return window;
}

}  // namespace

void ShowLoggingWindow(HWND parent) {
    if (!LogSelected(Log.OpenPath)) return;
    g_logging = LoggingWindowState{};
    ResetClockTexts(Clock);
    HWND window = BuildWindow(parent);
    if (!window) return;
    FocusControl(window, kIdEditStation);
    OnClockTick(window);
    SetTimer(window, kClockTimer, kClockPeriodMs, nullptr);
    RunModal(window, parent);
    FreeColours(&g_logging.colours);
}
