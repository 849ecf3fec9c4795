// The Log On button: the typed report goes to the log first; only a report
// that is really in the file is listed and cleared from the boxes.
#include <string>
#include <vector>

#include "logging/logging_window_state.h"
#include "logging/recent_rows.h"
#include "logging/report_save.h"

namespace {

constexpr const char* kMessageCaption = "Ulmar";

std::string BoxText(int id) {
    HWND box = GetDlgItem(Logging.Window, id);
    int length = GetWindowTextLengthA(box);
    std::vector<char> text(static_cast<size_t>(length) + 1, 0);
    GetWindowTextA(box, text.data(), length + 1);
    return std::string(text.data());
}

void FocusBox(int id) {
    SendMessageA(Logging.Window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Logging.Window, id)), TRUE);
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

void ListReport(const std::string& row) {
    HWND list = GetDlgItem(Logging.Window, kIdRecentList);
    RecentPlacement place = PlaceRecentReport(Logging.RecentFilled, Logging.RecentRows);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(place.deleteRow), 0);
    LPARAM text = reinterpret_cast<LPARAM>(row.c_str());
    if (place.insertRow < 0) {
        SendMessageA(list, LB_ADDSTRING, 0, text);
    } else {
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(place.insertRow), text);
    }
    Logging.RecentFilled = FilledAfterReport(Logging.RecentFilled, Logging.RecentRows);
    ShowRow(list, place.insertRow < 0 ? Logging.RecentRows - 1 : place.insertRow);
}

void ClearForNextReport() {
    SetDlgItemTextA(Logging.Window, kIdStation, "");
    SetDlgItemTextA(Logging.Window, kIdLocation, "");
    SetDlgItemTextA(Logging.Window, kIdRemarks, "");
    FocusBox(kIdStation);
    SetDlgItemTextA(Logging.Window, kIdEntryNumber, EntryNumberText(Log.EntryCount).c_str());
}

}  // namespace

bool LogOn() {
    if (!Logging.Window) return false;
    ReportTexts texts = {BoxText(kIdFrequency), BoxText(kIdStation), BoxText(kIdLocation), BoxText(kIdRemarks)};
    switch (SaveReport(Log, texts, Clock)) {
        case SaveResult::BlankStation:
            FocusBox(kIdStation);
            return false;
        case SaveResult::NotSaved:
            // Nothing is listed or cleared, so the listener can try again.
            MessageBoxA(nullptr, NotSavedMessage(Log.LastError).c_str(), kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
            return false;
        case SaveResult::Saved: break;
    }
    ListReport(RecentReportRow(Log.EntryBuffer));
    ClearForNextReport();
    return true;
}
