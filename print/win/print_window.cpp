// The Print Log window: where to start, printer or file (CSV or bulletin
// lines), the pause between pages, and the filter of the reports to output.
// Its main button reads the filter, runs PrintLog and the window closes after;
// a filter text that cannot be read keeps the window open on its box.
#include "print/win/print_window.h"

#include <string>
#include <vector>

#include "exchange/adif_export.h"
#include "exchange/bulletin.h"
#include "exchange/output_name.h"
#include "logstore/log_store.h"
#include "print/print_text.h"
#include "print/win/print_run.h"
#include "print/win/print_window_ids.h"
#include "records/entry_filter.h"
#include "reports/register.h"
#include "reports/register_summary.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"

namespace {

constexpr const char* kTitle = "PRINT LOG ";
constexpr const char* kFontName = "MS Sans Serif";
constexpr WORD kFontPoints = 8;
constexpr int kX = 25, kY = 25, kWidth = 360, kHeight = 140;

constexpr COLORREF kBackground = RGB(255, 255, 0);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

constexpr const char* kRunPrint = "&Print";
constexpr const char* kRunSave = "Sa&ve";
// The output choice's items, in the order of OutputKind.
constexpr const char* kOutputItems[] = {"CSV file", "Bulletin lines", "ADIF file"};
constexpr OutputKind kOutputKinds[] = {OutputKind::Csv, OutputKind::Bulletin, OutputKind::Adif};

constexpr DWORD kTextBoxStyle = ES_LEFT | WS_TABSTOP;  // single line, no horizontal scrolling
constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD kChoiceStyle = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

struct PrintLogWindowState {
    DialogColours Colours;
    std::vector<ReplyState> ReplyStates;  // the entries' register states for a run choosing by Replies
    bool Running = false;                 // a run is in progress: no second one starts
};

PrintLogWindowState g_printLog;

std::string ProposedName(OutputKind kind) {
    std::string upper = Log.OpenPath;
    if (!upper.empty()) SystemUpperCase(&upper[0], upper.size());
    switch (kind) {
        case OutputKind::Bulletin: return BulletinNameFromUpperPath(upper);
        case OutputKind::Adif: return AdifNameFromUpperPath(upper);
        case OutputKind::Csv: break;
    }
    return ExportNameFromUpperPath(upper);
}

OutputKind ChosenOutput(HWND dialog) {
    LRESULT item = SendDlgItemMessageA(dialog, kIdListOutput, CB_GETCURSEL, 0, 0);
    bool listed = item >= 0 && item < static_cast<LRESULT>(sizeof kOutputKinds / sizeof kOutputKinds[0]);
    return listed ? kOutputKinds[item] : OutputKind::Csv;
}

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void AddControls(HWND dialog) {
    std::string proposed = ProposedName(OutputKind::Csv);
    const ControlRow rows[] = {
        {kIdLabelStart, "STATIC", "Start at &Entry Number:", SS_RIGHT, 0, U(18), U(10), U(75), U(10)},
        {kIdEditStart, "EDIT", "1", kTextBoxStyle, WS_EX_CLIENTEDGE, U(98), U(9), U(40), U(10)},
        {kIdCheckToFile, "BUTTON", "File to &Disc:", kCheckStyle, 0, U(15), U(24), U(90), U(12)},
        {kIdEditFileName, "EDIT", proposed.c_str(), kTextBoxStyle, WS_EX_CLIENTEDGE, U(115), U(26), U(150), U(12)},
        {kIdListOutput, "COMBOBOX", "", kChoiceStyle, 0, U(272), U(25), U(78), U(40)},
        {kIdCheckPause, "BUTTON", "P&ause between Pages:", kCheckStyle, 0, U(15), U(40), U(90), U(12)},
        {kIdLabelStation, "STATIC", "Station starts &with:", SS_RIGHT, 0, U(15), U(61), U(95), U(10)},
        {kIdEditStation, "EDIT", "", kTextBoxStyle, WS_EX_CLIENTEDGE, U(115), U(60), U(100), U(10)},
        {kIdLabelDateFrom, "STATIC", "Date &from (DD-MM-YYYY):", SS_RIGHT, 0, U(15), U(77), U(95), U(10)},
        {kIdEditDateFrom, "EDIT", "", kTextBoxStyle, WS_EX_CLIENTEDGE, U(115), U(76), U(50), U(10)},
        {kIdLabelDateTo, "STATIC", "Date &to:", SS_RIGHT, 0, U(170), U(77), U(55), U(10)},
        {kIdEditDateTo, "EDIT", "", kTextBoxStyle, WS_EX_CLIENTEDGE, U(230), U(76), U(50), U(10)},
        {kIdLabelFrequencyFrom, "STATIC", "Frequency fro&m:", SS_RIGHT, 0, U(15), U(93), U(95), U(10)},
        {kIdEditFrequencyFrom, "EDIT", "", kTextBoxStyle, WS_EX_CLIENTEDGE, U(115), U(92), U(50), U(10)},
        {kIdLabelFrequencyTo, "STATIC", "Frequency t&o:", SS_RIGHT, 0, U(170), U(93), U(55), U(10)},
        {kIdEditFrequencyTo, "EDIT", "", kTextBoxStyle, WS_EX_CLIENTEDGE, U(230), U(92), U(50), U(10)},
        {kIdLabelKhz, "STATIC", "kHz", SS_LEFT, 0, U(284), U(93), U(20), U(10)},
        {kIdLabelReplies, "STATIC", "Re&plies:", SS_RIGHT, 0, U(15), U(107), U(95), U(10)},
        {kIdListReplies, "COMBOBOX", "", kChoiceStyle, 0, U(115), U(105), U(110), U(60)},
        {kIdButtonRun, "BUTTON", kRunPrint, kButtonStyle, 0, U(150), U(120), U(35), U(15)},
        {kIdButtonExit, "BUTTON", "E&xit", kButtonStyle, 0, U(210), U(120), U(35), U(15)},
    };
    AddControlTable(dialog, rows);
    for (const char* item : kOutputItems) {
        SendDlgItemMessageA(dialog, kIdListOutput, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendDlgItemMessageA(dialog, kIdListOutput, CB_SETCURSEL, 0, 0);
    for (const char* item : kRepliesChoiceTexts) {
        SendDlgItemMessageA(dialog, kIdListReplies, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendDlgItemMessageA(dialog, kIdListReplies, CB_SETCURSEL, 0, 0);
}

void SetColours(PrintLogWindowState& window) {
    SetWindowBackground(&window.Colours, kBackground);
    for (int id : {kIdLabelStart, kIdCheckToFile, kIdCheckPause, kIdLabelStation, kIdLabelDateFrom, kIdLabelDateTo,
                   kIdLabelFrequencyFrom, kIdLabelFrequencyTo, kIdLabelKhz, kIdLabelReplies}) {
        SetControlColours(&window.Colours, id, kLabelText, kBackground);
    }
}

void OnToFileClicked(HWND dialog) {
    bool toFile = IsTicked(dialog, kIdCheckToFile);
    SetDlgItemTextA(dialog, kIdButtonRun, toFile ? kRunSave : kRunPrint);
    // The pause box keeps its tick while it is disabled.
    EnableWindow(GetDlgItem(dialog, kIdCheckPause), toFile ? FALSE : TRUE);
}

// A file name still as proposed follows the chosen kind: .CSV, .TXT or .ADI.
void OnOutputChosen(HWND dialog) {
    std::string typed = ControlText(dialog, kIdEditFileName);
    for (OutputKind other : kOutputKinds) {
        if (typed != ProposedName(other)) continue;
        SetDlgItemTextA(dialog, kIdEditFileName, ProposedName(ChosenOutput(dialog)).c_str());
        return;
    }
}

int FilterBoxId(FilterBox box) {
    switch (box) {
        case FilterBox::Station: return kIdEditStation;
        case FilterBox::DateFrom: return kIdEditDateFrom;
        case FilterBox::DateTo: return kIdEditDateTo;
        case FilterBox::FrequencyFrom: return kIdEditFrequencyFrom;
        case FilterBox::FrequencyTo: return kIdEditFrequencyTo;
    }
    return kIdEditStation;
}

// False, after telling why and putting the focus on the box, when a filter
// text cannot be read; nothing has been written or printed then.
bool ReadFilter(HWND dialog, ReportFilter* filter) {
    FilterTexts texts = {ControlText(dialog, kIdEditStation), ControlText(dialog, kIdEditDateFrom),
                         ControlText(dialog, kIdEditDateTo), ControlText(dialog, kIdEditFrequencyFrom),
                         ControlText(dialog, kIdEditFrequencyTo)};
    FilterReading reading = ReadReportFilter(texts, SystemUpperCase);
    if (!reading.Ok) {
        ShowMessageBox(dialog, kCaptionLogPrint, reading.Message, MB_OK | MB_ICONEXCLAMATION);
        FocusControl(dialog, FilterBoxId(reading.Box));
        return false;
    }
    *filter = reading.Filter;
    return true;
}

// The Replies choice into the filter; false, after saying why, when the register cannot be read.
bool ReadRepliesChoice(HWND dialog, ReportFilter* filter) {
    LRESULT item = SendDlgItemMessageA(dialog, kIdListReplies, CB_GETCURSEL, 0, 0);
    filter->Replies = item > 0 && item <= 3 ? static_cast<RepliesChoice>(item) : RepliesChoice::All;
    if (filter->Replies == RepliesChoice::All) return true;
    if (Register.Unreadable) {
        ShowMessageBox(dialog, kCaptionLogPrint, RegisterWriteFailure(Register), MB_OK | MB_ICONEXCLAMATION);
        FocusControl(dialog, kIdListReplies);
        return false;
    }
    g_printLog.ReplyStates = ReplyStatesOf(Register.Rows, Log.EntryCount);
    filter->ReplyStates = &g_printLog.ReplyStates;
    return true;
}

void OnRun(HWND dialog) {
    RunRequest request;
    if (!ReadFilter(dialog, &request.Filter) || !ReadRepliesChoice(dialog, &request.Filter)) return;
    request.StartText = ControlText(dialog, kIdEditStart);
    request.ToFile = IsTicked(dialog, kIdCheckToFile);
    request.Kind = ChosenOutput(dialog);
    request.FileName = ControlText(dialog, kIdEditFileName);
    request.PauseBetweenPages = IsTicked(dialog, kIdCheckPause);
    g_printLog.Running = true;
    // The run's message boxes have no owner; a disabled window takes no
    // second press meanwhile.
    EnableWindow(dialog, FALSE);
    PrintLog(request);
    g_printLog.Running = false;
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id, int notification) {
    if (g_printLog.Running) return;
    if (id == kIdListOutput) {
        if (notification == CBN_SELCHANGE) OnOutputChosen(dialog);
        return;
    }
    if (notification != BN_CLICKED) return;
    switch (id) {
        case kIdButtonExit: EndModal(dialog, 0); break;
        case kIdButtonRun: OnRun(dialog); break;
        case kIdCheckToFile: OnToFileClicked(dialog); break;
        default: break;
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        default: return false;
    }
}

void OpenWindow(HWND dialog) {
    SetColours(g_printLog);
    AddControls(dialog);
}

}  // namespace

void ShowPrintLogWindow(HWND owner) {
    g_printLog = PrintLogWindowState{};
    ModalWindow window;
    window.Form = {kTitle, kFontName, kFontPoints, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_ABSALIGN,
                   kX,     kY,        kWidth,      kHeight};
    window.Open = OpenWindow;
    window.FirstFocus = kIdEditStart;
    window.ProgramIcon = false;  // no system menu, so the caption shows no icon
    window.CloseEnds = false;    // Close presses Exit
    window.Colours = &g_printLog.Colours;
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
}
