// The backup-drive window ("&Set Up" / "&Back Up Drive") and the backup made
// when the program ends.
#include <string>

#include "app/backup.h"
#include "app/backup_copy.h"
#include "app/shared_values.h"
#include "logstore/log_store.h"
#include "logstore/settings.h"
#include "ui/dialog_kit.h"

namespace {

constexpr const char* kWindowTitle = "Set Back Up Drive Letter";
constexpr const char* kWindowFont = "Courier";
constexpr WORD kWindowPoints = 8;
// Caption only: no system menu, so no close box; no sizing border.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
constexpr int kClientWidth = 100;  // scaled
constexpr int kClientHeight = 40;  // scaled

constexpr int kIdLabel = 100;
constexpr const char* kLabelText = "Drive Letter:";
constexpr int kIdDriveBox = 200;
// No ES_AUTOHSCROLL: typing stops when the narrow box is full, one letter.
constexpr DWORD kDriveBoxStyle = ES_LEFT | ES_UPPERCASE | WS_BORDER | WS_TABSTOP;
constexpr int kIdExit = 2;  // also the Escape key
constexpr const char* kExitText = "E&xit";

constexpr int kDriveTextCapacity = 260;

constexpr const char* kBackupFailedText = "Log not backed up";
constexpr const char* kBackupFailedTitle = "Corvane";

void AddControls(HWND window) {
    AddControl(window, {kIdLabel, "STATIC", kLabelText, SS_LEFT, 0, 5, 22, 54, 10});
    AddControl(window, {kIdDriveBox, "EDIT", Settings.BackupDrive.c_str(), kDriveBoxStyle, 0, 64, 22, 8, 10});
    AddControl(window, {kIdExit, "BUTTON", kExitText, BS_PUSHBUTTON | WS_TABSTOP, 0, Scaled(75), Scaled(20), 30, 20});
}

// Whatever the box holds becomes the backup drive; an empty box turns the backup off.
void OnExit(HWND window) {
    char text[kDriveTextCapacity];
    GetControlText(window, kIdDriveBox, text, sizeof text);
    Settings.BackupDrive = text;
    EndModal(window, 0);
}

INT_PTR CALLBACK BackupDriveProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != kIdExit) return FALSE;
            OnExit(window);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void ShowBackupDriveWindow(HWND owner) {
    DialogSpec form = {kWindowTitle, kWindowFont, kWindowPoints, kWindowStyle, 0, 0,
                       Scaled(kClientWidth), Scaled(kClientHeight)};
    HWND window = CreateDialogInCode(form, owner, BackupDriveProc, 0);
    if (!window) return;
    SetProgramIcon(window);
    AddControls(window);
    // The letter is typed straight away.
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window, kIdDriveBox)), TRUE);
    RunModal(window, owner);
}

void BackUpLog() {
    if (CopyLogToBackup(Log, Settings.LogPath, Settings.BackupDrive)) return;
    MessageBoxA(nullptr, kBackupFailedText, kBackupFailedTitle, MB_ICONEXCLAMATION | MB_OK);
}
