// "&Open" and "&New": close the log, ask for a file with the standard Open
// dialog, then open the chosen log, or the previous one again after a cancel.
#include "app/log_selection.h"

#include <commdlg.h>

#include <string>

#include "app/log_choice.h"
#include "app/main_window.h"
#include "logstore/log_store.h"
#include "platform/file.h"
#include "ui/log_guard.h"

namespace {

constexpr const char* kDialogTitle = "Open a Log file";
// Description and pattern, each ended by a zero, then an empty entry.
constexpr char kFilter[] = "Log Files (*.ULM)\0*.ULM\0";
constexpr DWORD kFilterIndex = 1;
constexpr const char* kDefaultExtension = "LOG";
constexpr int kFileNameCapacity = 260;
constexpr int kDialogX = 100;  // screen pixels, unscaled
constexpr int kDialogY = 100;

constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST;
constexpr DWORD kNewFlags = OFN_EXPLORER | OFN_ENABLEHOOK;

static_assert(kPlatformNtFamily == VER_PLATFORM_WIN32_NT, "platform id of the NT family");

DWORD OpenDialogStructureSize() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    bool failed = !GetVersionExA(&version);
    if (UseFullOpenDialogStructure(failed, version.dwPlatformId, version.dwMajorVersion)) {
        return sizeof(OPENFILENAMEA);
    }
    return OPENFILENAME_SIZE_VERSION_400A;
}

void PlaceDialog(HWND hookWindow) {
    SetWindowPos(GetParent(hookWindow), nullptr, kDialogX, kDialogY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The dialog is put at (100, 100) when it appears and then left where the
// user drags it. Every message goes on to the dialog's own handling.
UINT_PTR CALLBACK PlacingHook(HWND hookWindow, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: PlaceDialog(hookWindow); return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) PlaceDialog(hookWindow);
            return 0;
        default: return 0;
    }
}

// Shows the dialog; true when the user chose a file, whose name is in `fileName`.
bool AskForLog(HWND owner, DWORD flags, char* fileName, std::string* initialDir) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OpenDialogStructureSize();
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = kFilterIndex;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = kFileNameCapacity;
    dialog.lpstrInitialDir = initialDir->c_str();
    dialog.lpstrTitle = kDialogTitle;
    dialog.Flags = flags;
    dialog.lpstrDefExt = kDefaultExtension;
    dialog.lpfnHook = PlacingHook;
    return GetOpenFileNameA(&dialog) != 0;
}

std::string CurrentDirectory() {
    char folder[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace

void ChooseLog(HWND mainWindow, bool createNew) {
    std::string previous = Log.OpenPath;
    CloseLog(Log);

    char fileName[kFileNameCapacity] = {};
    // The settings file and a log kept by a relative name both live in the
    // working folder, so browsing to another folder must not move it.
    std::string workingFolder = CurrentDirectory();
    bool chosen = AskForLog(mainWindow, createNew ? kNewFlags : kOpenFlags, fileName, &workingFolder);
    if (!workingFolder.empty()) SetCurrentDirectoryA(workingFolder.c_str());

    std::string path = ChosenLogPath(previous, chosen, fileName, sizeof fileName);
    // The dialog may hand back a new name as typed, without the extension.
    if (chosen) path = WithDefaultExtension(path, kDefaultExtension, FileExists(path.c_str()));
    OpenLogAndSayRecovery(Log, path);
    SetMainWindowTitle(mainWindow);
}
