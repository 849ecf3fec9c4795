// The backup-drive window: the drive letter, how many dated copies are kept,
// when and where the newest was made, and an Exit button.
#include "app/win/backup_window.h"

#include <string>

#include "app/win/backup_window_ids.h"
#include "backup/generations.h"
#include "logstore/log_store.h"
#include "settings/settings_file.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/modal_window.h"
#include "ui/scale.h"

namespace {

constexpr const char* kWindowTitle = "Set Back Up Drive Letter";
constexpr const char* kWindowFont = "Courier";
constexpr WORD kWindowPoints = 8;
// Caption only: no system menu, so no close box; no sizing border.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
// Wide enough at 640 x 480 (scale 1) for the newest copy's line and the button.
constexpr int kClientWidth = 240;  // scaled
constexpr int kClientHeight = 76;  // scaled

// No ES_AUTOHSCROLL: typing stops when the narrow box is full, one letter.
constexpr DWORD kDriveBoxStyle = ES_LEFT | ES_UPPERCASE | WS_BORDER | WS_TABSTOP;
// The most of the box's text kept as the drive.
constexpr size_t kDriveTextLength = 259;
constexpr DWORD kKeptBoxStyle = ES_LEFT | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
// Wraps at the space between the time and the place when a long log name needs it.
constexpr DWORD kNewestLineStyle = SS_LEFT | SS_NOPREFIX;

struct BackupDriveWindowState {
    std::string KeptText;    // N as the box first shows it
    std::string NewestLine;  // read from the drive when the window opens
};

BackupDriveWindowState g_backupDrive;

void AddControls(HWND dialog) {
    const ControlRow rows[] = {
        {kIdLabelDrive, "STATIC", "Drive Letter:", SS_LEFT, 0, U(5), U(8), U(54), U(10)},
        {kIdEditDrive, "EDIT", Settings.BackupDrive.c_str(), kDriveBoxStyle, 0, U(64), U(8), U(8), U(10)},
        {kIdLabelKept, "STATIC", "Dated copies kept (0-99):", SS_LEFT, 0, U(5), U(24), U(104), U(10)},
        {kIdEditKept, "EDIT", g_backupDrive.KeptText.c_str(), kKeptBoxStyle, 0, U(112), U(24), U(16), U(10)},
        {kIdLabelNewest, "STATIC", "Newest dated copy:", SS_LEFT, 0, U(5), U(40), U(80), U(10)},
        {kIdNewestLine, "STATIC", g_backupDrive.NewestLine.c_str(), kNewestLineStyle, 0, U(5), U(50), U(230), U(20)},
        {kIdButtonExit, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 0, U(200), U(8), U(30), U(20)},
    };
    AddControlTable(dialog, rows);
}

// Whatever the drive box holds becomes the backup drive; an empty box turns the
// backup off. An empty or impossible count keeps the previous N.
void OnExit(HWND dialog) {
    Settings.BackupDrive = ControlText(dialog, kIdEditDrive).substr(0, kDriveTextLength);
    int kept = 0;
    if (ParseGenerationCount(ControlText(dialog, kIdEditKept), &kept)) Settings.BackupGenerations = kept;
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id) {
    switch (id) {
        case kIdButtonExit: OnExit(dialog); break;
        default: break;
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return true;
        default: return false;
    }
}

}  // namespace

void ShowBackupDriveWindow(HWND owner) {
    g_backupDrive = BackupDriveWindowState{};
    g_backupDrive.KeptText = std::to_string(Settings.BackupGenerations);
    g_backupDrive.NewestLine = NewestGenerationLine(FindNewestGeneration(Settings.BackupDrive, Log.OpenPath));
    ModalWindow window;
    window.Form = {kWindowTitle,         kWindowFont,          kWindowPoints, kWindowStyle, 0, 0,
                   Scaled(kClientWidth), Scaled(kClientHeight)};
    window.Open = AddControls;
    window.FirstFocus = kIdEditDrive;  // the letter is typed straight away
    window.CloseEnds = false;          // Close stores like Exit
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
    g_backupDrive = BackupDriveWindowState{};
}
