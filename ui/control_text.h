// Reading, limiting and focusing a dialog's controls.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// The whole text of control `id`, however long.
std::string ControlText(HWND dialog, int id);
// The four boxes of a report's typed fields.
struct ReportBoxIds {
    int Freq;
    int Station;
    int Location;
    int Remarks;
};
// Typing in each box stops at the width of the field its text is stored in,
// so nothing typed is silently cut when stored.
void LimitReportBoxes(HWND dialog, const ReportBoxIds& ids);
// Moves the focus to control `id` the way dialog navigation does.
void FocusControl(HWND dialog, int id);
// Upper-cases `length` bytes in place by the system's rules, as the station
// search and the report filter compare.
void SystemUpperCase(char* text, size_t length);
