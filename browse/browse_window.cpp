// The browse window: one page of the log in a ruled list, paged with PAGE UP,
// PAGE DOWN, HOME and END, with station search, deletion and the view-and-edit
// window. The page state and every rule on it live in the window-free core.
#include "browse/browse_window.h"

#include <string>
#include <vector>

#include "app/shared_values.h"
#include "browse/browse_texts.h"
#include "browse/entry_item_paint.h"
#include "browse/entry_removal.h"
#include "browse/page_fill.h"
#include "browse/page_state.h"
#include "browse/station_search.h"
#include "browse/view_edit_window.h"
#include "browse/window_text.h"
#include "logstore/log_store.h"
#include "logstore/settings.h"
#include "ui/dialog_kit.h"

namespace {

// Window, in dialog units of "Courier" 8; S marks values multiplied by ScaleFactor.
constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWidthS = 316;
constexpr int kHeightS = 268;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;

// Controls, in creation (tab) order.
constexpr int kIdStationLabel = 99;
constexpr int kIdStation = 100;
constexpr int kIdSearch = IDOK;  // 1: the Enter key sends it too
constexpr int kIdList = 3074;
constexpr int kIdHeading = 14;
constexpr int kIdView = 202;
constexpr int kIdEntryLabel = 15;
constexpr int kIdFirstShown = 301;
constexpr int kIdToLabel = 16;
constexpr int kIdLastShown = 302;
constexpr int kIdKeysHint = 17;

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

constexpr int kItemHeightTrim = 2;

// Texts.
constexpr const char* kNoLogText = "No Log Selected";
constexpr const char* kNoLogTitle = "Ulmar";
constexpr const char* kAskDeleteText = "Are you sure?";
constexpr const char* kAskDeleteTitle = "Delete Entry";
constexpr const char* kEndOfSearchText = "End of search";
constexpr const char* kEndOfSearchTitle = "Station Search";
constexpr const char* kKeysHint = " Use PAGE UP, PAGE DOWN, HOME and END keys to navigate";
constexpr const char* kDeleteFailedText = "The entry could not be deleted completely.\n\n";
constexpr const char* kDeleteFailedTail = "\n\nThe list now shows what the log file holds.";

struct BrowseWindow {
    HWND dialog = nullptr;
    HACCEL keys = nullptr;
    int cellWidth = 8;
    DialogColours colours;
};

BrowseWindow g_browse;

void SystemUpperCase(char* text, size_t length) { CharUpperBuffA(text, static_cast<DWORD>(length)); }

HWND List(HWND dialog) { return GetDlgItem(dialog, kIdList); }

void AddControls(HWND dialog) {
    const DWORD edge = WS_EX_CLIENTEDGE;
    const DWORD listStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_TABSTOP;
    const DWORD rangeStyle = WS_BORDER | ES_LEFT | ES_READONLY;
    AddControl(dialog, {kIdStationLabel, "STATIC", "&Station:", SS_LEFT, 0, 6, 4, 40, 8});
    AddControl(dialog, {kIdStation, "EDIT", "", WS_BORDER | ES_LEFT | WS_TABSTOP, 0, 42, 2, 84, 12});
    AddControl(dialog, {kIdSearch, "BUTTON", "&Search", BS_PUSHBUTTON | BS_CENTER, 0, 140, 2, 28, 12});
    HWND list = AddControl(dialog, {kIdList, "LISTBOX", "", listStyle, edge, 2, 32, Scaled(310), Scaled(218)});
    if (list) {
        LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
        if (height > kItemHeightTrim) SendMessageA(list, LB_SETITEMHEIGHT, 0, height - kItemHeightTrim);
    }
    AddControl(dialog, {kIdHeading, "STATIC", kColumnHeading, SS_LEFT, edge, 2, 20, Scaled(310), 12});
    AddControl(dialog, {kIdView, "BUTTON", "&View", BS_PUSHBUTTON | WS_TABSTOP, 0, Scaled(55), Scaled(244), 30, 12});
    AddControl(dialog, {kIdEntryLabel, "STATIC", "Entry:", SS_LEFT, 0, 10, Scaled(244), 24, 8});
    AddControl(dialog, {kIdFirstShown, "EDIT", "", rangeStyle, 0, 35, Scaled(244), 32, 10});
    AddControl(dialog, {kIdToLabel, "STATIC", "   To:", SS_LEFT, 0, 10, Scaled(255), 24, 8});
    AddControl(dialog, {kIdLastShown, "EDIT", "", rangeStyle, 0, 35, Scaled(255), 32, 10});
    AddControl(dialog, {kIdKeysHint, "STATIC", kKeysHint, SS_LEFT, 0, Scaled(100), Scaled(244), 250, 8});
}

void SetColours(BrowseWindow& window) {
    SetControlColours(&window.colours, kIdHeading, kHeadingText, kHeadingBack);
    SetControlColours(&window.colours, kIdFirstShown, kRangeText, kRangeBack);
    SetControlColours(&window.colours, kIdLastShown, kRangeText, kRangeBack);
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
    FillPage(Log, BrowsePage, &items);
    HWND list = List(dialog);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextA(dialog, kIdFirstShown, RangeText(FirstShownEntry(BrowsePage)).c_str());
    SetDlgItemTextA(dialog, kIdLastShown, RangeText(LastShownEntry(BrowsePage)).c_str());
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
    switch (RunSearchStep(Log, BrowsePage, ControlText(dialog, kIdStation), SystemUpperCase)) {
        case SearchStep::NoText: break;
        case SearchStep::EndOfSearch: MessageBoxA(nullptr, kEndOfSearchText, kEndOfSearchTitle, MB_OK); break;
        case SearchStep::MatchElsewhere: ShowPageKeepingSearch(dialog); break;  // highlights the match
        case SearchStep::MatchOnPage: ShowChosenLine(dialog); break;
    }
}

void OnDelete(HWND dialog) {
    if (ChooseEntryToDelete(BrowsePage) == 0) return;
    if (MessageBoxA(nullptr, kAskDeleteText, kAskDeleteTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    bool deleted = DeleteCurrentEntry(Log, BrowsePage);
    ShowPageKeepingSearch(dialog);
    if (!deleted) {
        std::string text = kDeleteFailedText + std::string(DescribeLogError(Log.LastError)) + kDeleteFailedTail;
        MessageBoxA(nullptr, text.c_str(), kAskDeleteTitle, MB_OK | MB_ICONEXCLAMATION);
    }
}

void OnListNotify(HWND dialog, int code) {
    if (code == LBN_SELCHANGE) {
        SelectListLine(BrowsePage, static_cast<int>(SendMessageA(List(dialog), LB_GETCURSEL, 0, 0)));
    } else if (code == LBN_DBLCLK) {
        PostMessageA(dialog, WM_COMMAND, kIdView, 0);
    }
}

void OnStationNotify(HWND dialog, int code) {
    if (code == EN_SETFOCUS) {
        SetDlgItemTextA(dialog, kIdStation, "");
        BrowsePage.SearchArmed = true;
    }
    BrowsePage.SearchPosition = 1;
}

void OnPageKey(HWND dialog, bool (*move)(PageState&), bool focusList) {
    if (!move(BrowsePage)) return;
    ShowPage(dialog);
    if (focusList) FocusControl(dialog, List(dialog));
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
        case kIdView: OnView(dialog); break;
        case kIdSearch: OnSearch(dialog); break;
        case IDCANCEL: EndModal(dialog, 0); break;
        case kIdList: OnListNotify(dialog, code); break;
        case kIdStation: OnStationNotify(dialog, code); break;
        case kCmdPageUp: OnPageKey(dialog, PageUp, true); break;
        case kCmdPageDown: OnPageKey(dialog, PageDown, true); break;
        case kCmdHome: OnPageKey(dialog, PageHome, false); break;
        case kCmdEnd: OnPageKey(dialog, PageEnd, false); break;
        case kCmdDelete: OnDelete(dialog); break;
        default: break;
    }
}

INT_PTR CALLBACK BrowseProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR coloured = 0;
    if (HandleColourMessage(g_browse.colours, dialog, message, wParam, lParam, &coloured)) return coloured;
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_DRAWITEM:
            if (wParam != kIdList) return FALSE;
            PaintEntryItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), g_browse.cellWidth);
            return TRUE;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_CLOSE: EndModal(dialog, 0); return TRUE;
        default: return FALSE;
    }
}

bool BuildWindow(HWND owner, BrowseWindow& window) {
    std::string title = BrowseWindowTitle(Settings.LogPath);
    DialogSpec form = {title.c_str(), kFontName, kFontPoints, kWindowStyle, 0, 0, Scaled(kWidthS), Scaled(kHeightS)};
    window.dialog = CreateDialogInCode(form, owner, BrowseProc, 0);
    if (!window.dialog) return false;
    SetProgramIcon(window.dialog);
    AddControls(window.dialog);
    SetColours(window);
    window.cellWidth = ListCellWidth(List(window.dialog));
    window.keys = CreateKeyTable();
    return true;
}

}  // namespace

void ShowBrowseWindow(HWND owner) {
    if (Settings.LogPath.empty()) {
        MessageBoxA(nullptr, kNoLogText, kNoLogTitle, MB_OK);
        return;
    }
    OpenPage(BrowsePage, Log.EntryCount, ScaleFactor);
    if (!BuildWindow(owner, g_browse)) return;
    ShowPage(g_browse.dialog);
    FocusControl(g_browse.dialog, List(g_browse.dialog));
    RunModal(g_browse.dialog, owner, g_browse.keys);
    if (g_browse.keys) DestroyAcceleratorTable(g_browse.keys);
    FreeColours(&g_browse.colours);
    g_browse = BrowseWindow{};
}
