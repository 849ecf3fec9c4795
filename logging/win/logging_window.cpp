// The logging window: the UTC clock at the top, the list of reports saved
// since it opened, and the form whose Log On button appends a report. With a
// schedule loaded, a drop-down list proposes the stations on air on the typed
// frequency at the clock's minute.
#include "logging/win/logging_window.h"

#include <cstdint>
#include <string>
#include <vector>

#include "logging/recent_rows.h"
#include "logging/report_save.h"
#include "logging/utc_clock.h"
#include "logging/win/clock_display.h"
#include "logging/win/logging_window_ids.h"
#include "logging/win/receiver_follow_view.h"
#include "logging/win/recent_list_draw.h"
#include "logstore/log_store.h"
#include "schedule/candidate_text.h"
#include "schedule/on_air.h"
#include "schedule/schedule.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/list_box.h"
#include "ui/log_guard.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"
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

constexpr DWORD kListStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | LBS_DISABLENOSCROLL;
constexpr DWORD kBoxStyle = ES_LEFT | WS_TABSTOP;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;

constexpr DWORD kCandidateStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_CLIPSIBLINGS;
constexpr int kCandidateRowsShown = 8;
constexpr int kCandidateWithinKhz = 5;
// Posted when the Frequency box or the list lose the focus: by then the
// focus has landed, and the list stays open only if it went from one to the other.
constexpr UINT kMessageCheckFocus = WM_APP + 1;

struct LoggingWindowState {
    int RecentRows = 15;
    int RecentFilled = 0;
    int CellWidth = 8;  // width of a character cell of the list's font, pixels
    DialogColours Colours;
    std::vector<uint32_t> Candidates;    // LoadedSchedule.Lines indexes, as listed
    std::string CandidatesMinute;        // the clock's "date time" they were looked up for
    WNDPROC FrequencyBoxProc = nullptr;  // the Frequency box's own procedure
    LoggingReceiverState Receiver;       // only with a receiver set
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
    SetWindowBackground(&state.Colours, kWindowBackground);
    SetControlColours(&state.Colours, kIdEditEntryNumber, kEntryNumberText, kEntryNumberBack);
    SetControlColours(&state.Colours, kIdPanelClock, kClockPanelText, kClockPanelBack);
}

void PrepareRecentList(HWND window, LoggingWindowState& state) {
    HWND list = GetDlgItem(window, kIdListRecent);
    state.RecentRows = RecentRowsFor(ScaleFactor);
    std::string blank = BlankRecentRow();
    for (int i = 0; i < state.RecentRows; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(blank.c_str()));
    TrimListItemHeight(list);
    state.CellWidth = ListCellWidth(list);
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
    RecentPlacement place = PlaceRecentReport(g_logging.RecentFilled, g_logging.RecentRows);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(place.DeleteRow), 0);
    LPARAM text = reinterpret_cast<LPARAM>(row.c_str());
    if (place.InsertRow < 0) {
        SendMessageA(list, LB_ADDSTRING, 0, text);
    } else {
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(place.InsertRow), text);
    }
    g_logging.RecentFilled = FilledAfterReport(g_logging.RecentFilled, g_logging.RecentRows);
    ShowRow(list, place.InsertRow < 0 ? g_logging.RecentRows - 1 : place.InsertRow);
}

void ClearForNextReport(HWND window) {
    SetDlgItemTextA(window, kIdEditStation, "");
    SetDlgItemTextA(window, kIdEditLocation, "");
    SetDlgItemTextA(window, kIdEditRemarks, "");
    FocusControl(window, kIdEditStation);
    SetDlgItemTextA(window, kIdEditEntryNumber, EntryNumberText(Log.EntryCount).c_str());
}

// -- the candidate list ------------------------------------------------------

HWND CandidateList(HWND window) { return GetDlgItem(window, kIdListCandidates); }

bool CandidatesOpen(HWND window) {
    HWND list = CandidateList(window);
    return list && IsWindowVisible(list);
}

void CloseCandidates(HWND window) {
    HWND list = CandidateList(window);
    if (!list || !IsWindowVisible(list)) return;
    if (GetFocus() == list) FocusControl(window, kIdEditFrequency);
    ShowWindow(list, SW_HIDE);
}

// Over the recent reports, as wide as their list, its bottom on the form's
// top edge just above the Frequency box; at most kCandidateRowsShown rows.
void PlaceCandidates(HWND window, HWND list, int rows) {
    RECT recent, form;
    GetWindowRect(GetDlgItem(window, kIdListRecent), &recent);
    GetWindowRect(GetDlgItem(window, kIdPanelForm), &form);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&recent), 2);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&form), 2);
    int rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    int height = rows * rowHeight + 2 * GetSystemMetrics(SM_CYBORDER);
    int bottom = form.top - 1;
    SetWindowPos(list, HWND_TOP, recent.left, bottom - height, recent.right - recent.left, height, SWP_SHOWWINDOW);
}

// The clock's minute, the one that stamps the report; false before its first tick.
bool ClockMinute(ScheduleTime* when, std::string* text) {
    *text = Clock.ClockDate + " " + Clock.ClockTime;
    return ParseClockTime(Clock.ClockDate, Clock.ClockTime, when);
}

// Looks the typed frequency up again and lists what is on air now, keeping
// the chosen row when its line still is; closed when nothing is.
void RefreshCandidates(HWND window, LoggingWindowState& state) {
    HWND list = CandidateList(window);
    if (!list) return;
    int chosen = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    int64_t chosenLine =
        chosen >= 0 && chosen < static_cast<int>(state.Candidates.size()) ? state.Candidates[chosen] : -1;
    ScheduleTime when;
    state.Candidates.clear();
    if (ClockMinute(&when, &state.CandidatesMinute)) {
        LookUpCandidates(LoadedSchedule, ControlText(window, kIdEditFrequency), kCandidateWithinKhz, when,
                         &state.Candidates);
    }
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (state.Candidates.empty()) {
        CloseCandidates(window);
        return;
    }
    for (size_t i = 0; i < state.Candidates.size(); ++i) {
        std::string row = CandidateRow(LoadedSchedule, LoadedSchedule.Lines[state.Candidates[i]]);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        if (state.Candidates[i] == chosenLine) SendMessageA(list, LB_SETCURSEL, i, 0);
    }
    int rows = static_cast<int>(state.Candidates.size());
    PlaceCandidates(window, list, rows < kCandidateRowsShown ? rows : kCandidateRowsShown);
}

// Down in the Frequency box moves into the open list, on its first row.
void EnterCandidates(HWND window) {
    HWND list = CandidateList(window);
    if (SendMessageA(list, LB_GETCURSEL, 0, 0) < 0) SendMessageA(list, LB_SETCURSEL, 0, 0);
    FocusControl(window, kIdListCandidates);
}

// The chosen row fills Station and Location; the listener may still change them.
// Remarks is left as it is, even when empty: it is where the listener writes
// what was heard (signal, programme), and the schedule's language and target
// are a claim about the broadcast, not an observation; put there, they would
// look like heard details and would have to be deleted before typing the
// listener's own. The row showed them when choosing.
void AcceptCandidate(HWND window, const LoggingWindowState& state) {
    int chosen = static_cast<int>(SendMessageA(CandidateList(window), LB_GETCURSEL, 0, 0));
    if (chosen < 0 || chosen >= static_cast<int>(state.Candidates.size())) return;
    const ScheduleLine& line = LoadedSchedule.Lines[state.Candidates[chosen]];
    SetDlgItemTextA(window, kIdEditStation, CandidateStation(LoadedSchedule, line).c_str());
    SetDlgItemTextA(window, kIdEditLocation, CandidateLocation(LoadedSchedule, line).c_str());
    CloseCandidates(window);
    FocusControl(window, kIdEditRemarks);
}

void CheckCandidateFocus(HWND window) {
    HWND focus = GetFocus();
    // Tune takes the chosen row's frequency, so pressing it keeps the list.
    if (focus != CandidateList(window) && focus != GetDlgItem(window, kIdEditFrequency) &&
        focus != GetDlgItem(window, kIdButtonTune)) {
        CloseCandidates(window);
    }
}

LRESULT CALLBACK FrequencyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = GetParent(box);
    if (message == WM_KEYDOWN && wParam == VK_DOWN && CandidatesOpen(window)) {
        EnterCandidates(window);
        return 0;
    }
    return CallWindowProcA(g_logging.FrequencyBoxProc, box, message, wParam, lParam);
}

// Only with a schedule loaded: without one the window is exactly as it was.
void AddCandidateList(HWND window, LoggingWindowState& state) {
    if (LoadedSchedule.Lines.empty()) return;
    const ControlRow rows[] = {
        {kIdListCandidates, "LISTBOX", "", kCandidateStyle, 0, U(5), S(30), S(300), S(140)},
    };
    AddControlTable(window, rows);
    ShowWindow(CandidateList(window), SW_HIDE);
    HWND box = GetDlgItem(window, kIdEditFrequency);
    state.FrequencyBoxProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrequencyBoxProc)));
}

// -- saving ---------------------------------------------------------------------

// The typed report goes to the log first; only a report that is really in the
// file is listed and cleared from the boxes.
void OnLogOn(HWND window) {
    ReportTexts texts = {ControlText(window, kIdEditFrequency), ControlText(window, kIdEditStation),
                         ControlText(window, kIdEditLocation), ControlText(window, kIdEditRemarks)};
    switch (SaveReport(Log, texts, Clock)) {
        case SaveResult::BlankStation: FocusControl(window, kIdEditStation); return;
        case SaveResult::NotSaved:
            // Nothing is listed or cleared, so the listener can try again.
            ShowMessageBox(nullptr, kCaptionUlmar, NotSavedMessage(Log.LastError), MB_OK | MB_ICONEXCLAMATION);
            return;
        case SaveResult::Saved: break;
    }
    ListReport(window, RecentReportRow(Log.EntryBuffer));
    ClearForNextReport(window);
}

// Escape closes the open candidate list first, the window only after.
void OnEscape(HWND window) {
    if (CandidatesOpen(window)) {
        CloseCandidates(window);
        return;
    }
    EndModal(window, 0);
}

// Enter accepts the chosen candidate while in the list; elsewhere it does nothing.
void OnEnter(HWND window) {
    if (GetFocus() == CandidateList(window) && CandidatesOpen(window)) AcceptCandidate(window, g_logging);
}

// With the list open and a row chosen, Tune takes that row's frequency into
// the box; then the receiver is set to what the box holds.
void OnTune(HWND window) {
    int chosen =
        CandidatesOpen(window) ? static_cast<int>(SendMessageA(CandidateList(window), LB_GETCURSEL, 0, 0)) : -1;
    if (chosen >= 0 && chosen < static_cast<int>(g_logging.Candidates.size())) {
        int32_t tenths = LoadedSchedule.Lines[g_logging.Candidates[chosen]].Tenths;
        SetDlgItemTextA(window, kIdEditFrequency, KhzTextOfTenths(tenths).c_str());
        CloseCandidates(window);
    }
    TuneToBox(window, &g_logging.Receiver);
}

void OnFrequencyBox(HWND window, int code) {
    if (code == EN_CHANGE) OnFrequencyTextChanged(window, &g_logging.Receiver);
    if (code == EN_CHANGE) RefreshCandidates(window, g_logging);
    if (code == EN_KILLFOCUS) PostMessageA(window, kMessageCheckFocus, 0, 0);
}

void OnCandidateList(HWND window, int code) {
    if (code == LBN_DBLCLK) AcceptCandidate(window, g_logging);
    if (code == LBN_KILLFOCUS) PostMessageA(window, kMessageCheckFocus, 0, 0);
}

void OnCommand(HWND window, int id, int code) {
    switch (id) {
        case IDCANCEL: OnEscape(window); break;
        case IDOK: OnEnter(window); break;
        case kIdButtonLogOn: OnLogOn(window); break;
        case kIdButtonTune: OnTune(window); break;
        case kIdEditFrequency: OnFrequencyBox(window, code); break;
        case kIdListCandidates: OnCandidateList(window, code); break;
        default: break;  // clicks in the recent list do nothing
    }
}

BOOL OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
    if (id != kIdListRecent) return FALSE;
    DrawRecentRow(item, g_logging.CellWidth);
    return TRUE;
}

// A new clock minute looks the open list up again.
void OnClockTick(HWND window) {
    UpdateClockDisplay(window, Log.OpenPath);
    if (CandidatesOpen(window) && Clock.ClockDate + " " + Clock.ClockTime != g_logging.CandidatesMinute) {
        RefreshCandidates(window, g_logging);
    }
}

// The clock's tick, or the receiver link's.
void OnTimer(HWND window, WPARAM timer) {
    // A new frequency from the dial changes the box, which refreshes the
    // candidates as typing does; the keyboard focus stays where it is.
    if (timer == kClockTimer) {
        OnClockTick(window);
    } else {
        OnReceiverTick(window, &g_logging.Receiver);
    }
}

void OnDestroy(HWND window) {
    KillTimer(window, kClockTimer);
    StopReceiverControls(window, g_logging.Receiver);
    if (g_logging.FrequencyBoxProc) {
        SetWindowLongPtrA(GetDlgItem(window, kIdEditFrequency), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g_logging.FrequencyBoxProc));
    }
    ReleaseClockBitmaps(window);
}

bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    switch (message) {
        case WM_DRAWITEM:
            *result = OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return true;
        case WM_COMMAND: OnCommand(window, LOWORD(wParam), HIWORD(wParam)); return true;
        case kMessageCheckFocus: CheckCandidateFocus(window); return true;
        case WM_TIMER: OnTimer(window, wParam); return true;
        case WM_DESTROY: OnDestroy(window); return false;
        default: return false;
    }
}

void OpenWindow(HWND window) {
    SetColours(g_logging);
    AddControls(window);
    PrepareRecentList(window, g_logging);
    AddCandidateList(window, g_logging);
    AddReceiverControls(window, &g_logging.Receiver);
    FocusControl(window, kIdEditStation);
    OnClockTick(window);
    SetTimer(window, kClockTimer, kClockPeriodMs, nullptr);
}

}  // namespace

void ShowLoggingWindow(HWND parent) {
    if (!LogSelected(Log.OpenPath)) return;
    g_logging = LoggingWindowState{};
    ResetClockTexts(Clock);
    ModalWindow window;
    window.Form = {"", kFontName, kFontPoints,          WS_OVERLAPPEDWINDOW | DS_CENTER,
                   0,  0,         Scaled(kWindowWidth), Scaled(kWindowHeight)};
    window.Open = OpenWindow;
    window.Colours = &g_logging.Colours;
    window.Messages = OnMessage;
    ShowModalWindow(window, parent);
}
