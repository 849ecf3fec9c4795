// The backup-drive window: one box for the drive letter and an Exit button.
#include "app/backup_window.h"

#include <string>

#include "logstore/settings.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/dialog_kit.h"
#include "ui/scale.h"

namespace {

constexpr const char* kWindowTitle = "Set Back Up Drive Letter";
constexpr const char* kWindowFont = "Courier";
constexpr WORD kWindowPoints = 8;
// Caption only: no system menu, so no close box; no sizing border.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
constexpr int kClientWidth = 100;  // scaled
constexpr int kClientHeight = 40;  // scaled

// Controls, in creation (tab) order.
constexpr int kIdLabelDrive = 100;
constexpr int kIdEditDrive = 200;
constexpr int kIdButtonExit = 2;  // also the Escape key

// No ES_AUTOHSCROLL: typing stops when the narrow box is full, one letter.
constexpr DWORD kDriveBoxStyle = ES_LEFT | ES_UPPERCASE | WS_BORDER | WS_TABSTOP;
// The most of the box's text kept as the drive.
constexpr size_t kDriveTextLength = 259;

struct BackupDriveWindowState {
    HWND dialog = nullptr;
};

BackupDriveWindowState g_backupDrive;

void AddControls(HWND dialog) {
    const ControlRow rows[] = {
        {kIdLabelDrive, "STATIC", "Drive Letter:", SS_LEFT, 0, U(5), U(22), U(54), U(10)},
        {kIdEditDrive, "EDIT", Settings.BackupDrive.c_str(), kDriveBoxStyle, 0, U(64), U(22), U(8), U(10)},
        {kIdButtonExit, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 0, S(75), S(20), U(30), U(20)},
    };
    AddControlTable(dialog, rows);
}

// Whatever the box holds becomes the backup drive; an empty box turns the backup off.
void OnExit(HWND dialog) {
    Settings.BackupDrive = ControlText(dialog, kIdEditDrive).substr(0, kDriveTextLength);
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id) {
    switch (id) {
        case kIdButtonExit: OnExit(dialog); break;
        default: break;
    }
}

INT_PTR CALLBACK BackupDriveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void ShowBackupDriveWindow(HWND owner) {
    g_backupDrive = BackupDriveWindowState{};
    DialogSpec form = {kWindowTitle, kWindowFont, kWindowPoints, kWindowStyle, 0, 0,
                       Scaled(kClientWidth), Scaled(kClientHeight)};
    g_backupDrive.dialog = CreateDialogInCode(form, owner, BackupDriveProc, 0);
    if (!g_backupDrive.dialog) return;
    SetProgramIcon(g_backupDrive.dialog);
    AddControls(g_backupDrive.dialog);
    FocusControl(g_backupDrive.dialog, kIdEditDrive);  // the letter is typed straight away
    RunModal(g_backupDrive.dialog, owner);
    g_backupDrive = BackupDriveWindowState{};
}
