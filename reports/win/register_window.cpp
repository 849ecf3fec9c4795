// The Report Register window: three lists and the totals, as the core sums
// them up (reports/register_summary.h). A double click or Enter on a row
// opens its report window; the lists are filled again when it closes.
#include "reports/win/register_window.h"

#include <string>
#include <vector>

#include "logstore/log_store.h"
#include "platform/utc_time.h"
#include "reports/register.h"
#include "reports/register_summary.h"
#include "reports/report_form.h"
#include "reports/win/register_window_ids.h"
#include "reports/win/report_window.h"
#include "ui/control_table.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"

namespace {

constexpr const char* kTitle = "Report Register";
constexpr const char* kFontName = "Courier";
constexpr WORD kFontPoints = 8;
constexpr int kWidth = 330, kHeight = 236;
constexpr COLORREF kBackground = RGB(255, 236, 179);
constexpr COLORREF kLabelText = RGB(0, 0, 0);
constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;

struct RegisterWindowState {
    RegisterSummary Summary;
    DialogColours Colours;
};

RegisterWindowState g_register;

void AddControls(HWND dialog) {
    const ControlRow rows[] = {
        {kIdLabelAwaiting, "STATIC", "&Awaiting a reply, oldest first:", SS_LEFT, 0, U(6), U(5), U(300), U(9)},
        {kIdAwaiting, "LISTBOX", "", kList, WS_EX_CLIENTEDGE, U(6), U(15), U(318), U(62)},
        {kIdLabelReplies, "STATIC", "&Replies received:", SS_LEFT, 0, U(6), U(80), U(300), U(9)},
        {kIdReplies, "LISTBOX", "", kList, WS_EX_CLIENTEDGE, U(6), U(90), U(318), U(62)},
        {kIdLabelNotInLog, "STATIC", "&Not in the log:", SS_LEFT, 0, U(6), U(155), U(300), U(9)},
        {kIdNotInLog, "LISTBOX", "", kList, WS_EX_CLIENTEDGE, U(6), U(165), U(318), U(30)},
        {kIdTotals, "STATIC", "", SS_LEFT, 0, U(6), U(200), U(318), U(9)},
        {kIdExit, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 0, U(147), U(215), U(36), U(14)},
    };
    AddControlTable(dialog, rows);
    for (int id : {kIdAwaiting, kIdReplies, kIdNotInLog}) {
        SendDlgItemMessageA(dialog, id, LB_SETHORIZONTALEXTENT, 1200, 0);
    }
}

void FillList(HWND dialog, int id, const std::vector<SummaryLine>& lines) {
    SendDlgItemMessageA(dialog, id, LB_RESETCONTENT, 0, 0);
    for (const SummaryLine& line : lines) {
        SendDlgItemMessageA(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.Text.c_str()));
    }
}

void FillLists(HWND dialog) {
    std::vector<LogEntry> records(Register.Rows.size());
    for (size_t i = 0; i < Register.Rows.size(); ++i) {
        const RegisterRow& row = Register.Rows[i];
        int32_t got = 0;
        if (row.Entry == 0 || !ReadEntries(Log, row.Entry, 1, &records[i], &got) || got != 1) {
            records[i] = row.Key.Record;  // the report as it was when the row was written
        }
    }
    g_register.Summary = SummarizeRegister(Register.Rows, records, DashedDate(UtcNow()));
    FillList(dialog, kIdAwaiting, g_register.Summary.Awaiting);
    FillList(dialog, kIdReplies, g_register.Summary.Replies);
    FillList(dialog, kIdNotInLog, g_register.Summary.NotInLog);
    SetDlgItemTextA(dialog, kIdTotals, g_register.Summary.Totals.c_str());
}

const std::vector<SummaryLine>* LinesOf(int id) {
    switch (id) {
        case kIdAwaiting: return &g_register.Summary.Awaiting;
        case kIdReplies: return &g_register.Summary.Replies;
        case kIdNotInLog: return &g_register.Summary.NotInLog;
        default: return nullptr;
    }
}

void OpenChosenRow(HWND dialog, int id) {
    const std::vector<SummaryLine>* lines = LinesOf(id);
    LRESULT at = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
    if (!lines || at < 0 || static_cast<size_t>(at) >= lines->size()) return;
    size_t row = (*lines)[static_cast<size_t>(at)].Row;
    if (row >= Register.Rows.size() || Register.Rows[row].Entry == 0) {
        ShowMessageBox(dialog, kTitle, "This report is not in the log any more; its row is kept.", MB_OK);
        return;
    }
    ShowReportWindow(dialog, Register.Rows[row].Entry);
    FillLists(dialog);
}

void OnCommand(HWND dialog, int id, int code) {
    if (code == LBN_DBLCLK) {
        OpenChosenRow(dialog, id);
    } else if (id == kIdExit && code == BN_CLICKED) {
        EndModal(dialog, 0);
    } else if (id == IDOK) {  // Enter on a list
        HWND focus = GetFocus();
        OpenChosenRow(dialog, GetDlgCtrlID(focus));
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        default: return false;
    }
}

void OpenWindow(HWND dialog) {
    SetWindowBackground(&g_register.Colours, kBackground);
    for (int id : {kIdLabelAwaiting, kIdLabelReplies, kIdLabelNotInLog, kIdTotals}) {
        SetControlColours(&g_register.Colours, id, kLabelText, kBackground);
    }
    AddControls(dialog);
    FillLists(dialog);
}

}  // namespace

void ShowRegisterWindow(HWND owner) {
    g_register = RegisterWindowState{};
    ModalWindow window;
    window.Form = {kTitle, kFontName, kFontPoints, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                   0,      0,         kWidth,      kHeight};
    window.Open = OpenWindow;
    window.FirstFocus = kIdAwaiting;
    window.Colours = &g_register.Colours;
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
}
