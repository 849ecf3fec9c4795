// The progress window: shown once the work has run about a second, updated at
// most every tenth of a second, and the message pump that keeps the program's
// windows painted while the work runs in steps on the window thread.
#include "ui/progress_window.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/control_table.h"
#include "ui/dialog_kit.h"
#include "ui/progress_window_ids.h"
#include "ui/scale.h"

namespace {

constexpr const char* kWindowFont = "Courier";
constexpr WORD kWindowPoints = 8;
// Caption only: no close box, nothing to press.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
constexpr int kClientWidth = 200;  // scaled
constexpr int kClientHeight = 44;  // scaled
DWORD g_showAfterMs = 1000;
constexpr DWORD kRedrawEveryMs = 100;

struct ProgressState {
    HWND Owner = nullptr;
    HWND Window = nullptr;
    HWND Focus = nullptr;  // the control focused before: disabling its window takes the focus away
    bool OwnerWasEnabled = false;
    std::string Title, What;
    int64_t Total = 0, Done = 0;
    DWORD Started = 0, Drawn = 0;
    bool QuitSeen = false;
    int QuitCode = 0;
};

ProgressState g_progress;

INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

std::string ProgressLine() {
    char line[160];
    std::snprintf(line, sizeof line, "%lld of %lld %s", static_cast<long long>(g_progress.Done),
                  static_cast<long long>(g_progress.Total), g_progress.What.c_str());
    return line;
}

void AddControls(HWND window) {
    const ControlRow rows[] = {
        {kIdBarText, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, U(6), U(6), U(188), U(10)},
        {kIdBarFrame, "STATIC", "", SS_ETCHEDFRAME, 0, U(6), U(22), U(188), U(14)},
        {kIdBarFilled, "STATIC", "", SS_BLACKRECT, 0, U(8), U(24), U(1), U(10)},
    };
    AddControlTable(window, rows);
}

// The bar fills the frame's inside in proportion to Done.
void DrawProgress() {
    HWND window = g_progress.Window;
    SetDlgItemTextA(window, kIdBarText, ProgressLine().c_str());
    RECT frame;
    GetWindowRect(GetDlgItem(window, kIdBarFrame), &frame);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
    int inside = frame.right - frame.left - 4;
    int filled = g_progress.Total > 0 ? static_cast<int>(inside * g_progress.Done / g_progress.Total) : inside;
    SetWindowPos(GetDlgItem(window, kIdBarFilled), nullptr, frame.left + 2, frame.top + 2, std::max(1, filled),
                 frame.bottom - frame.top - 4, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(window);
    g_progress.Drawn = GetTickCount();
}

void ShowProgressWindow() {
    DialogSpec form = {g_progress.Title.c_str(), kWindowFont,          kWindowPoints, kWindowStyle, 0, 0,
                       Scaled(kClientWidth),     Scaled(kClientHeight)};
    g_progress.Window = CreateDialogInCode(form, g_progress.Owner, ProgressProc, 0);
    if (!g_progress.Window) return;
    SetProgramIcon(g_progress.Window);
    AddControls(g_progress.Window);
    ShowWindow(g_progress.Window, SW_SHOWNOACTIVATE);
    DrawProgress();
}

// Keys, clicks and the commands and close requests posted in their stead.
bool IsInput(UINT message) {
    return message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_CLOSE ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Answers what waits: painting, timers, the system's own; drops input, so no
// handler of another window runs in the middle of the change.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_progress.QuitSeen = true;
            g_progress.QuitCode = static_cast<int>(msg.wParam);
            continue;
        }
        if (IsInput(msg.message)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void BeginProgress(HWND owner, const char* title, const char* what, int64_t total) {
    g_progress = ProgressState{};
    g_progress.Owner = owner;
    g_progress.Title = title;
    g_progress.What = what;
    g_progress.Total = std::max<int64_t>(0, total);
    g_progress.Started = GetTickCount();
    g_progress.Focus = GetFocus();
    if (owner) g_progress.OwnerWasEnabled = !EnableWindow(owner, FALSE);
}

void StepProgress(int64_t done) {
    g_progress.Done = std::min(std::max<int64_t>(0, done), g_progress.Total);
    DWORD now = GetTickCount();
    if (!g_progress.Window && now - g_progress.Started >= g_showAfterMs) ShowProgressWindow();
    if (g_progress.Window && now - g_progress.Drawn >= kRedrawEveryMs) DrawProgress();
    PumpMessages();
}

void StepProgressOf(int64_t done, int64_t total) {
    g_progress.Total = std::max<int64_t>(0, total);
    StepProgress(done);
}

void EndProgress() {
    if (g_progress.Window) DestroyWindow(g_progress.Window);
    if (g_progress.Owner && g_progress.OwnerWasEnabled) EnableWindow(g_progress.Owner, TRUE);
    if (g_progress.Focus && IsWindow(g_progress.Focus) && IsWindowEnabled(g_progress.Focus)) {
        SetFocus(g_progress.Focus);
    }
    if (g_progress.QuitSeen) PostQuitMessage(g_progress.QuitCode);
    g_progress = ProgressState{};
}

void ShowProgressAtOnceForTest() { g_showAfterMs = 0; }

HWND ProgressWindow() { return g_progress.Window; }
