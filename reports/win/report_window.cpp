// The Reception Report window. What each box accepts is the core's
// (reports/report_form.h); the letter is filled by reports/letter.h; the row
// goes to the register (reports/register.h) on Exit or Escape.
#include "reports/win/report_window.h"

#include <string>
#include <vector>

#include "logstore/log_store.h"
#include "platform/file.h"
#include "platform/utc_time.h"
#include "records/text_trim.h"
#include "reports/letter.h"
#include "reports/register.h"
#include "reports/report_form.h"
#include "reports/win/report_window_ids.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/full_path.h"
#include "ui/message_box.h"
#include "ui/modal_window.h"

namespace {

constexpr const char* kTitle = "Reception Report";
constexpr const char* kFontName = "MS Sans Serif";
constexpr WORD kFontPoints = 8;
constexpr int kWidth = 300, kHeight = 222;
constexpr COLORREF kBackground = RGB(255, 236, 179);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

constexpr DWORD kBox = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kDetailsBox = ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kChoice = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;

constexpr const char* kViaItems[] = {"post", "e-mail", "web form", "app"};
constexpr const char* kReplyItems[] = {"", "card", "letter", "e-mail", "e-card", "other"};
constexpr const char* kWorkingFolder = ".";

struct ReportWindowState {
    int32_t Entry = 0;
    LogEntry Record{};
    std::vector<std::string> Templates;
    DialogColours Colours;
};

ReportWindowState g_report;

std::string HeadingText(const LogEntry& record) {
    return FieldText(record.Date) + "  " + FieldText(record.Time) + " UTC   " + TrimBoth(FieldText(record.Freq)) +
           " kHz   " + TrimBoth(FieldText(record.Station));
}

void AddControls(HWND dialog) {
    std::string heading = HeadingText(g_report.Record);
    std::string letter = ProposedLetterPath(FullPath(Log.OpenPath), g_report.Record);
    const ControlRow rows[] = {
        {kIdHeading, "STATIC", heading.c_str(), SS_LEFT, 0, U(8), U(6), U(284), U(10)},
        {kIdLabelSinpo, "STATIC", "&SINPO:", SS_RIGHT, 0, U(8), U(22), U(60), U(10)},
        {kIdSinpo, "EDIT", "", kBox, kEdge, U(72), U(20), U(32), U(12)},
        {kIdLabelDetails, "STATIC", "Programme &details:", SS_LEFT, 0, U(8), U(37), U(120), U(10)},
        {kIdDetails, "EDIT", "", kDetailsBox, kEdge, U(8), U(48), U(284), U(56)},
        {kIdLabelTemplate, "STATIC", "&Template:", SS_RIGHT, 0, U(8), U(112), U(60), U(10)},
        {kIdTemplate, "COMBOBOX", "", kChoice, 0, U(72), U(110), U(110), U(80)},
        {kIdLabelLetterFile, "STATIC", "Letter &file:", SS_RIGHT, 0, U(8), U(128), U(60), U(10)},
        {kIdLetterFile, "EDIT", letter.c_str(), kBox, kEdge, U(72), U(126), U(160), U(12)},
        {kIdWriteLetter, "BUTTON", "&Write Letter", kButton, 0, U(238), U(125), U(54), U(14)},
        {kIdLabelSent, "STATIC", "Sent:", SS_RIGHT, 0, U(8), U(149), U(60), U(10)},
        {kIdSentDate, "EDIT", "", kBox, kEdge, U(72), U(147), U(50), U(12)},
        {kIdMarkSent, "BUTTON", "&Mark Sent", kButton, 0, U(126), U(146), U(46), U(14)},
        {kIdLabelVia, "STATIC", "&via:", SS_RIGHT, 0, U(176), U(149), U(20), U(10)},
        {kIdVia, "COMBOBOX", "", kChoice, 0, U(200), U(147), U(60), U(80)},
        {kIdLabelReply, "STATIC", "Reply:", SS_RIGHT, 0, U(8), U(167), U(60), U(10)},
        {kIdReplyDate, "EDIT", "", kBox, kEdge, U(72), U(165), U(50), U(12)},
        {kIdLabelReplyKind, "STATIC", "w&hat:", SS_RIGHT, 0, U(126), U(167), U(70), U(10)},
        {kIdReplyKind, "COMBOBOX", "", kChoice, 0, U(200), U(165), U(60), U(80)},
        {kIdLabelReplyNote, "STATIC", "&Note:", SS_RIGHT, 0, U(8), U(185), U(60), U(10)},
        {kIdReplyNote, "EDIT", "", kBox, kEdge, U(72), U(183), U(220), U(12)},
        {kIdExit, "BUTTON", "E&xit", kButton, 0, U(132), U(203), U(36), U(14)},
    };
    AddControlTable(dialog, rows);
    SendDlgItemMessageA(dialog, kIdSinpo, EM_LIMITTEXT, kSinpoChars, 0);
    SendDlgItemMessageA(dialog, kIdDetails, EM_LIMITTEXT, kMaxDetailsChars, 0);
    SendDlgItemMessageA(dialog, kIdSentDate, EM_LIMITTEXT, kRegisterDateChars, 0);
    SendDlgItemMessageA(dialog, kIdReplyDate, EM_LIMITTEXT, kRegisterDateChars, 0);
    SendDlgItemMessageA(dialog, kIdReplyNote, EM_LIMITTEXT, kMaxReplyNoteChars, 0);
}

void AddItems(HWND dialog, int id, const char* const* items, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    }
}

void ChooseItem(HWND dialog, int id, const std::string& text) {
    LRESULT at = text.empty() ? CB_ERR
                              : SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(text.c_str()));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, at == CB_ERR ? static_cast<WPARAM>(-1) : at, 0);
}

std::string ChosenItem(HWND dialog, int id) {
    LRESULT at = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return std::string();
    LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, at, 0);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The folder's REPORT*.TXT; the plain English REPORT.TXT is written when there is none.
std::vector<std::string> FindTemplates() {
    std::vector<std::string> names;
    FolderList(kWorkingFolder, &names);
    std::vector<std::string> templates = TemplateNames(names);
    if (templates.empty() && WriteLetterFile(kDefaultTemplateName, DefaultTemplate())) {
        templates.push_back(kDefaultTemplateName);
    }
    return templates;
}

void FillBoxes(HWND dialog) {
    for (const std::string& name : g_report.Templates) {
        SendDlgItemMessageA(dialog, kIdTemplate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendDlgItemMessageA(dialog, kIdTemplate, CB_SETCURSEL, 0, 0);
    AddItems(dialog, kIdVia, kViaItems, sizeof kViaItems / sizeof kViaItems[0]);
    AddItems(dialog, kIdReplyKind, kReplyItems, sizeof kReplyItems / sizeof kReplyItems[0]);
    const RegisterRow* row = RowOfEntry(Register, g_report.Entry);
    ReportBoxes boxes = row ? BoxesOfRow(*row) : ReportBoxes{};
    SetDlgItemTextA(dialog, kIdSinpo, boxes.Sinpo.c_str());
    SetDlgItemTextA(dialog, kIdDetails, boxes.Details.c_str());
    SetDlgItemTextA(dialog, kIdSentDate, boxes.SentDate.c_str());
    ChooseItem(dialog, kIdVia, boxes.Via);
    SetDlgItemTextA(dialog, kIdReplyDate, boxes.ReplyDate.c_str());
    ChooseItem(dialog, kIdReplyKind, boxes.Reply);
    SetDlgItemTextA(dialog, kIdReplyNote, boxes.ReplyNote.c_str());
}

ReportBoxes BoxTexts(HWND dialog) {
    return {ControlText(dialog, kIdSinpo),    ControlText(dialog, kIdDetails),   ControlText(dialog, kIdSentDate),
            ChosenItem(dialog, kIdVia),       ControlText(dialog, kIdReplyDate), ChosenItem(dialog, kIdReplyKind),
            ControlText(dialog, kIdReplyNote)};
}

int BoxId(ReportBox box) {
    switch (box) {
        case ReportBox::Sinpo: return kIdSinpo;
        case ReportBox::Details: return kIdDetails;
        case ReportBox::SentDate: return kIdSentDate;
        case ReportBox::Via: return kIdVia;
        case ReportBox::ReplyDate: return kIdReplyDate;
        case ReportBox::Reply: return kIdReplyKind;
        case ReportBox::ReplyNote: return kIdReplyNote;
        case ReportBox::None: break;
    }
    return kIdSinpo;
}

// The boxes read, or a message naming the one that cannot be, with the focus back in it.
bool ReadBoxes(HWND dialog, ReportFormResult* result) {
    *result = ReadReportBoxes(BoxTexts(dialog));
    if (result->Ok) return true;
    ShowMessageBox(dialog, kTitle, result->Message, MB_OK | MB_ICONEXCLAMATION);
    FocusControl(dialog, BoxId(result->Bad));
    return false;
}

void OnWriteLetter(HWND dialog) {
    ReportFormResult boxes;
    if (!ReadBoxes(dialog, &boxes)) return;
    std::string name = ChosenItem(dialog, kIdTemplate);
    std::string templ;
    if (name.empty() || !FileReadAll(name.c_str(), &templ, kMaxTemplateBytes + 1) || templ.size() > kMaxTemplateBytes) {
        ShowMessageBox(dialog, kTitle, "The letter template " + name + " could not be read.", MB_ICONEXCLAMATION);
        return;
    }
    std::string today = LetterDate(DashedDate(UtcNow()));
    LetterValues values = LetterValuesOf(g_report.Record, boxes.Row.Sinpo, boxes.Row.Details, today);
    std::string path = ControlText(dialog, kIdLetterFile);
    if (path.empty() || !WriteLetterFile(path, FillTemplate(templ, values))) {
        ShowMessageBox(dialog, kTitle, "The letter could not be written to " + path + ".", MB_ICONEXCLAMATION);
        FocusControl(dialog, kIdLetterFile);
        return;
    }
    ShowMessageBox(dialog, kTitle, "The letter was written to " + path + ".", MB_OK | MB_ICONINFORMATION);
}

void OnMarkSent(HWND dialog) {
    SetDlgItemTextA(dialog, kIdSentDate, DashedDate(UtcNow()).c_str());
    if (ChosenItem(dialog, kIdVia).empty()) ChooseItem(dialog, kIdVia, kViaItems[0]);
}

void OnExit(HWND dialog) {
    ReportFormResult boxes;
    if (!ReadBoxes(dialog, &boxes)) return;
    if (!StoreRow(Register, Log, g_report.Entry, boxes.Row)) {
        ShowMessageBox(dialog, kTitle, RegisterWriteFailure(Register), MB_OK | MB_ICONEXCLAMATION);
        if (!Register.Unreadable) return;  // what was typed stays; the close box leaves without it
    }
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdWriteLetter: OnWriteLetter(dialog); break;
        case kIdMarkSent: OnMarkSent(dialog); break;
        case kIdExit: OnExit(dialog); break;
        default: break;
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        default: return false;
    }
}

void SetColours(ReportWindowState& window) {
    SetWindowBackground(&window.Colours, kBackground);
    for (int id : {kIdHeading, kIdLabelSinpo, kIdLabelDetails, kIdLabelTemplate, kIdLabelLetterFile, kIdLabelSent,
                   kIdLabelVia, kIdLabelReply, kIdLabelReplyKind, kIdLabelReplyNote}) {
        SetControlColours(&window.Colours, id, kLabelText, kBackground);
    }
}

void OpenWindow(HWND dialog) {
    SetColours(g_report);
    AddControls(dialog);
    FillBoxes(dialog);
}

}  // namespace

void ShowReportWindow(HWND owner, int32_t entry) {
    g_report = ReportWindowState{};
    int32_t got = 0;
    if (!ReadEntries(Log, entry, 1, &g_report.Record, &got) || got != 1) {
        ShowMessageBox(owner, kTitle, "The entry could not be read.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    g_report.Entry = entry;
    g_report.Templates = FindTemplates();
    ModalWindow window;
    window.Form = {kTitle, kFontName, kFontPoints, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                   0,      0,         kWidth,      kHeight};
    window.Open = OpenWindow;
    window.FirstFocus = kIdSinpo;
    window.Colours = &g_report.Colours;
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
}
