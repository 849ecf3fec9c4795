// The browse window: one page of the log in a ruled list, paged with PAGE UP,
// PAGE DOWN, HOME and END, with station search, deletion and the view-and-edit
// window. The page state and every rule on it live in the window-free core.
#include "browse/win/browse_window.h"

#include <string>
#include <vector>

#include "browse/browse_texts.h"
#include "browse/entry_removal.h"
#include "browse/page_fill.h"
#include "browse/page_state.h"
#include "browse/station_search.h"
#include "browse/win/browse_window_ids.h"
#include "browse/win/entry_item_paint.h"
#include "browse/win/view_edit_window.h"
#include "logstore/log_store.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/list_box.h"
#include "ui/log_guard.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"
#include "ui/progress_window.h"
#include "ui/scale.h"

namespace {

// Window, in dialog units of "Courier" 8; S marks values multiplied by ScaleFactor.
constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWidthS = 316;
constexpr int kHeightS = 268;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;

constexpr DWORD kEdge = WS_EX_CLIENTEDGE;
constexpr DWORD kListStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_TABSTOP;
constexpr DWORD kRangeStyle = WS_BORDER | ES_LEFT | ES_READONLY;

// Commands of the keyboard table.
constexpr int kCmdPageUp = 33;
constexpr int kCmdPageDown = 34;
constexpr int kCmdEnd = 35;
constexpr int kCmdHome = 36;
constexpr int kCmdDelete = 3075;

constexpr COLORREF kHeadingText = RGB(255, 255, 0);
constexpr COLORREF kHeadingBack = RGB(0, 0, 255);
constexpr COLORREF kRangeText = RGB(0, 0, 0);
constexpr COLORREF kRangeBack = RGB(255, 255, 255);

// Texts.
constexpr const char* kAskDeleteText = "Are you sure?";
constexpr const char* kEndOfSearchText = "End of search";
constexpr const char* kKeysHint = " Use PAGE UP, PAGE DOWN, HOME and END keys to navigate";
constexpr const char* kDeleteFailedTail = "\n\nThe list now shows what the log file holds.";

struct BrowseWindowState {
    HACCEL Keys = nullptr;
    int CellWidth = 8;
    DialogColours Colours;
};

BrowseWindowState g_browse;

HWND List(HWND dialog) { return GetDlgItem(dialog, kIdListEntries); }

void AddControls(HWND dialog) {
    const ControlRow rows[] = {
        {kIdLabelStation, "STATIC", "&Station:", SS_LEFT, 0, U(6), U(4), U(40), U(8)},
        {kIdEditStation, "EDIT", "", WS_BORDER | ES_LEFT | WS_TABSTOP, 0, U(42), U(2), U(84), U(12)},
        {kIdButtonSearch, "BUTTON", "&Search", BS_PUSHBUTTON | BS_CENTER, 0, U(140), U(2), U(28), U(12)},
        {kIdListEntries, "LISTBOX", "", kListStyle, kEdge, U(2), U(32), S(310), S(218)},
        {kIdLabelHeading, "STATIC", kColumnHeading, SS_LEFT, kEdge, U(2), U(20), S(310), U(12)},
        {kIdButtonView, "BUTTON", "&View", BS_PUSHBUTTON | WS_TABSTOP, 0, S(55), S(244), U(30), U(12)},
        {kIdLabelEntry, "STATIC", "Entry:", SS_LEFT, 0, U(10), S(244), U(24), U(8)},
        {kIdEditFirstShown, "EDIT", "", kRangeStyle, 0, U(35), S(244), U(32), U(10)},
        {kIdLabelTo, "STATIC", "   To:", SS_LEFT, 0, U(10), S(255), U(24), U(8)},
        {kIdEditLastShown, "EDIT", "", kRangeStyle, 0, U(35), S(255), U(32), U(10)},
        {kIdLabelKeysHint, "STATIC", kKeysHint, SS_LEFT, 0, S(100), S(244), U(250), U(8)},
    };
    AddControlTable(dialog, rows);
    TrimListItemHeight(List(dialog));
}

void SetColours(BrowseWindowState& window) {
    SetControlColours(&window.Colours, kIdLabelHeading, kHeadingText, kHeadingBack);
    SetControlColours(&window.Colours, kIdEditFirstShown, kRangeText, kRangeBack);
    SetControlColours(&window.Colours, kIdEditLastShown, kRangeText, kRangeBack);
}

HACCEL CreateKeyTable() {
    ACCEL keys[] = {
        {FVIRTKEY, VK_PRIOR, kCmdPageUp}, {FVIRTKEY, VK_NEXT, kCmdPageDown}, {FVIRTKEY, VK_HOME, kCmdHome},
        {FVIRTKEY, VK_END, kCmdEnd},      {FVIRTKEY, VK_DELETE, kCmdDelete},
    };
    return CreateAcceleratorTableA(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

// Highlights the chosen line, so the list always shows the line that View and
// DELETE act on (the list's own selection goes whenever the page is refilled).
void ShowChosenLine(HWND dialog) {
    if (BrowsePage.SelectedLine > 0) SendMessageA(List(dialog), LB_SETCURSEL, BrowsePage.SelectedLine - 1, 0);
}

void ShowPage(HWND dialog) {
    std::vector<std::string> items;
    int32_t linesRead = FillPage(Log, BrowsePage, &items);
    HWND list = List(dialog);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextA(dialog, kIdEditFirstShown, RangeText(FirstShownEntry(BrowsePage)).c_str());
    SetDlgItemTextA(dialog, kIdEditLastShown, RangeText(LastReadEntry(BrowsePage, linesRead)).c_str());
    ShowChosenLine(dialog);
}

// Deletion and a search step show the page again without ending a search.
void ShowPageKeepingSearch(HWND dialog) {
    bool armed = BrowsePage.SearchArmed;
    ShowPage(dialog);
    BrowsePage.SearchArmed = armed;
}

void OnView(HWND dialog) {
    ShowViewEditWindow(dialog);
    if (!BrowsePage.EntryEdited) return;
    FitPageToCount(BrowsePage, Log.EntryCount);  // a failed write may have found the file changed
    ShowPage(dialog);
}

void OnSearch(HWND dialog) {
    if (!BrowsePage.SearchArmed) return;
    switch (RunSearchStep(Log, BrowsePage, ControlText(dialog, kIdEditStation), SystemUpperCase)) {
        case SearchStep::NoText: break;
        case SearchStep::EndOfSearch: ShowMessageBox(nullptr, kCaptionStationSearch, kEndOfSearchText); break;
        case SearchStep::MatchElsewhere: ShowPageKeepingSearch(dialog); break;  // highlights the match
        case SearchStep::MatchOnPage: ShowChosenLine(dialog); break;
    }
}

void OnDelete(HWND dialog) {
    if (ChooseEntryToDelete(BrowsePage) == 0) return;
    if (ShowMessageBox(nullptr, kCaptionDeleteEntry, kAskDeleteText, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    // A deletion near the start of a big log moves every later record: it shows
    // its progress, and the windows stay painted meanwhile.
    BeginProgress(dialog, kCaptionDeleteEntry, "records moved", Log.EntryCount - BrowsePage.CurrentEntryNumber);
    Log.Progress = StepProgressOf;
    bool deleted = DeleteCurrentEntry(Log, BrowsePage, Register);
    Log.Progress = nullptr;
    EndProgress();
    ShowPageKeepingSearch(dialog);
    if (!deleted) {
        std::string text = std::string(DeleteFailedHeading(Log.LastError)) + "\n\n" + DescribeLogError(Log.LastError) +
                           kDeleteFailedTail;
        ShowMessageBox(nullptr, kCaptionDeleteEntry, text, MB_OK | MB_ICONEXCLAMATION);
    }
}

void OnListNotify(HWND dialog, int code) {
    if (code == LBN_SELCHANGE) {
        SelectListLine(BrowsePage, static_cast<int>(SendMessageA(List(dialog), LB_GETCURSEL, 0, 0)));
    } else if (code == LBN_DBLCLK) {
        PostMessageA(dialog, WM_COMMAND, kIdButtonView, 0);
    }
}

void OnStationNotify(HWND dialog, int code) {
    if (code == EN_SETFOCUS) {
        SetDlgItemTextA(dialog, kIdEditStation, "");
        BrowsePage.SearchArmed = true;
    }
    BrowsePage.SearchPosition = 1;
}

void OnPageKey(HWND dialog, bool (*move)(PageState&), bool focusList) {
    if (!move(BrowsePage)) return;
    ShowPage(dialog);
    if (focusList) FocusControl(dialog, kIdListEntries);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
        case kIdButtonView: OnView(dialog); break;
        case kIdButtonSearch: OnSearch(dialog); break;
        case IDCANCEL: EndModal(dialog, 0); break;
        case kIdListEntries: OnListNotify(dialog, code); break;
        case kIdEditStation: OnStationNotify(dialog, code); break;
        case kCmdPageUp: OnPageKey(dialog, PageUp, true); break;
        case kCmdPageDown: OnPageKey(dialog, PageDown, true); break;
        case kCmdHome: OnPageKey(dialog, PageHome, false); break;
        case kCmdEnd: OnPageKey(dialog, PageEnd, false); break;
        case kCmdDelete: OnDelete(dialog); break;
        default: break;
    }
}

BOOL OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
    if (id != kIdListEntries) return FALSE;
    PaintEntryItem(item, g_browse.CellWidth);
    return TRUE;
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    switch (message) {
        case WM_DRAWITEM:
            *result = OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return true;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        default: return false;
    }
}

void OpenWindow(HWND dialog) {
    AddControls(dialog);
    SetColours(g_browse);
    g_browse.CellWidth = ListCellWidth(List(dialog));
    g_browse.Keys = CreateKeyTable();
    ShowPage(dialog);
}

}  // namespace

void ShowBrowseWindow(HWND owner) {
    if (!LogSelected(Log.OpenPath)) return;
    OpenPage(BrowsePage, Log.EntryCount, ScaleFactor);
    std::string title = BrowseWindowTitle(Log.OpenPath);
    ModalWindow window;
    window.Form = {title.c_str(), kFontName, kFontPoints, kWindowStyle, 0, 0, Scaled(kWidthS), Scaled(kHeightS)};
    window.Open = OpenWindow;
    window.FirstFocus = kIdListEntries;
    window.Colours = &g_browse.Colours;
    window.Keys = &g_browse.Keys;
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
    if (g_browse.Keys) DestroyAcceleratorTable(g_browse.Keys);
    g_browse = BrowseWindowState{};
}
