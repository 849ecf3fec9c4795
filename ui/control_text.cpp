#include "ui/control_text.h"

#include <vector>

#include "logstore/log_entry.h"

namespace {

void LimitText(HWND dialog, int id, int limit) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

}  // namespace

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return "";
    std::vector<char> buffer(static_cast<size_t>(length) + 1, 0);
    int got = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void LimitReportBoxes(HWND dialog, const ReportBoxIds& ids) {
    LimitText(dialog, ids.Freq, kFreqWidth);
    LimitText(dialog, ids.Station, kStationWidth);
    LimitText(dialog, ids.Location, kLocationWidth);
    LimitText(dialog, ids.Remarks, kRemarksWidth);
}

void FocusControl(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void SystemUpperCase(char* text, size_t length) { CharUpperBuffA(text, static_cast<DWORD>(length)); }
