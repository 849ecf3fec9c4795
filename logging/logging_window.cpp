// The logging window: the UTC clock at the top, the list of reports saved
// since it opened, and the form whose Log On button appends a report.
#include "logging/logging_window.h"

#include "app/shared_values.h"
#include "logging/logging_window_state.h"
#include "logging/recent_rows.h"
#include "logging/report_save.h"
#include "logging/utc_clock.h"
#include "logstore/log_store.h"
#include "logstore/settings.h"
#include "ui/dialog_kit.h"

LoggingWindowState Logging;

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
constexpr UINT kClockPeriodMs = 1000;

constexpr int kIdFormPanel = 21;
constexpr int kIdEntryLabel = 10;
constexpr int kIdFrequencyLabel = 5;
constexpr int kIdKhzLabel = 6;
constexpr int kIdStationLabel = 11;
constexpr int kIdLocationLabel = 12;
constexpr int kIdRemarksLabel = 13;
constexpr int kIdClockPanel = 20;

// Typing stops at the width of the field the text is stored in.
constexpr int kFreqLimit = kFreqWidth;
constexpr int kStationLimit = kStationWidth;
constexpr int kLocationLimit = kLocationWidth;
constexpr int kRemarksLimit = kRemarksWidth;

constexpr const char* kNoLogText = "No Log Selected";
constexpr const char* kNoLogCaption = "Ulmar";

constexpr DWORD kListStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | LBS_DISABLENOSCROLL;
constexpr DWORD kBoxStyle = ES_LEFT | WS_TABSTOP;

DialogColours g_colours;

int CellWidthOf(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    bool ok = GetTextMetricsA(dc, &metrics) != 0;
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return ok && metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 8;
}

void AddRecentList(HWND window) {
    HWND list = AddControl(window, {kIdRecentList, "LISTBOX", "", kListStyle, WS_EX_CLIENTEDGE, 5, Scaled(30),
                                    Scaled(300), Scaled(140)});
    Logging.RecentRows = RecentRowsFor(ScaleFactor);
    std::string blank = BlankRecentRow();
    for (int i = 0; i < Logging.RecentRows; ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(blank.c_str()));
    }
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (height != LB_ERR && height > 2) SendMessageA(list, LB_SETITEMHEIGHT, 0, height - 2);
    Logging.CellWidth = CellWidthOf(list);
}

void AddBox(HWND window, int id, DWORD style, int x, int y, int width, int limit) {
    HWND box = AddControl(window, {id, "EDIT", "", style, WS_EX_CLIENTEDGE, x, y, width, 12});
    SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void AddForm(HWND window) {
    const int column = Scaled(120);
    AddControl(window, {kIdFormPanel, "STATIC", "", SS_LEFT | WS_BORDER, 0, 5, Scaled(175), Scaled(255), Scaled(90)});
    AddControl(window, {kIdEntryLabel, "STATIC", "Entry:", SS_RIGHT, 0, 105, Scaled(180), 25, 8});
    std::string next = EntryNumberText(static_cast<int64_t>(Log.EntryCount) + 1);
    AddControl(window, {kIdEntryNumber, "EDIT", next.c_str(), ES_LEFT | ES_READONLY, WS_EX_CLIENTEDGE, 130,
                        Scaled(179), 25, 12});
    SetControlColours(&g_colours, kIdEntryNumber, kEntryNumberText, kEntryNumberBack);
    AddControl(window, {kIdFrequencyLabel, "STATIC", "Frequenc&y:", SS_RIGHT, 0, column, Scaled(200), 40, 8});
    AddBox(window, kIdFrequency, ES_RIGHT | WS_TABSTOP, column + 46, Scaled(199), 28, kFreqLimit);
    AddControl(window, {kIdKhzLabel, "STATIC", "KHz", SS_LEFT, 0, column + 85, Scaled(200), 30, 8});
    AddControl(window, {kIdStationLabel, "STATIC", "Station:", SS_RIGHT, 0, 7, Scaled(200), 42, 8});
    AddBox(window, kIdStation, kBoxStyle, 50, Scaled(199), 85, kStationLimit);
    AddControl(window, {kIdLocationLabel, "STATIC", "Location:", SS_RIGHT, 0, 7, Scaled(215), 42, 8});
    AddBox(window, kIdLocation, kBoxStyle, 50, Scaled(214), 100, kLocationLimit);
    AddControl(window, {kIdRemarksLabel, "STATIC", "Remarks 1:", SS_RIGHT, 0, 7, Scaled(230), 40, 8});
    AddBox(window, kIdRemarks, kBoxStyle, 50, Scaled(229), 200, kRemarksLimit);
    AddControl(window, {kIdLogOn, "BUTTON", "&Log On", BS_PUSHBUTTON | BS_CENTER, 0, Scaled(223), Scaled(178), 36, 13});
}

void AddClock(HWND window) {
    AddControl(window, {kIdClockPanel, "STATIC", "", SS_LEFT | WS_BORDER, WS_EX_STATICEDGE, Scaled(138), 7,
                        Scaled(40), Scaled(20)});
    SetControlColours(&g_colours, kIdClockPanel, kClockPanelText, kClockPanelBack);
    // An image control named after a bitmap resource loads it and takes its size.
    const char* initial[5] = {"F0", "F0", "FC", "F0", "F0"};
    const int x[5] = {140, 148, 156, 160, 168};
    const int width[5] = {15, 15, 3, 15, 15};
    for (int slot = 0; slot < 5; ++slot) {
        AddControl(window, {kIdClockImages[slot], "STATIC", initial[slot], SS_BITMAP, 0, Scaled(x[slot]), Scaled(8),
                            width[slot], 28});
    }
}

void OnCommand(HWND window, int id) {
    switch (id) {
        case IDCANCEL: EndModal(window, 0); break;
        case kIdLogOn: LogOn(); break;
        default: break;  // Enter (IDOK) and list clicks do nothing
    }
}

BOOL OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
    if (id != kIdRecentList) return FALSE;
    DrawRecentRow(item);
    return TRUE;
}

void OnDestroy() {
    ReleaseClockBitmaps();
    Logging.Window = nullptr;
}

INT_PTR CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_colours, window, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_DRAWITEM: return OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return FALSE;
        case WM_CLOSE: EndModal(window, 0); return TRUE;
        case WM_DESTROY: OnDestroy(); return FALSE;
        default: return FALSE;
    }
}

void CALLBACK ClockTick(HWND, UINT, UINT_PTR, DWORD) { UpdateClock(); }

HWND BuildLoggingWindow(HWND parent) {
    DialogSpec form = {"", kFontName, kFontPoints, WS_OVERLAPPEDWINDOW | DS_CENTER, 0, 0, Scaled(kWindowWidth),
                       Scaled(kWindowHeight)};
    HWND window = CreateDialogInCode(form, parent, LoggingProc, 0);
    if (!window) return nullptr;
    Logging.Window = window;
    SetProgramIcon(window);
    SetWindowBackground(&g_colours, kWindowBackground);
    AddRecentList(window);
    AddForm(window);
    AddClock(window);
    return window;
}

}  // namespace

void ShowLoggingWindow(HWND parent) {
    if (Settings.LogPath.empty()) {
        MessageBoxA(nullptr, kNoLogText, kNoLogCaption, MB_OK);
        return;
    }
    ResetClockTexts(Clock);
    HWND window = BuildLoggingWindow(parent);
    if (!window) return;
    SetFocus(GetDlgItem(window, kIdStation));
    Logging.RecentFilled = 0;
    UpdateClock();
    Logging.TimerId = SetTimer(nullptr, 0, kClockPeriodMs, ClockTick);
    RunModal(window, parent);
    if (Logging.TimerId) KillTimer(nullptr, Logging.TimerId);
    Logging.TimerId = 0;
    FreeColours(&g_colours);
}
