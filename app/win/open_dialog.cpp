#include "app/win/open_dialog.h"

#include <commdlg.h>

#include <string>

#include "app/log_choice.h"

namespace {

constexpr DWORD kFilterIndex = 1;
constexpr int kDialogX = 100;  // screen pixels, unscaled
constexpr int kDialogY = 100;

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

std::string CurrentDirectory() {
    char folder[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace

bool AskForFile(HWND owner, const OpenDialogSpec& wanted, char* fileName, size_t capacity) {
    std::string workingFolder = CurrentDirectory();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OpenDialogStructureSize();
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = wanted.Filter;
    dialog.nFilterIndex = kFilterIndex;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = static_cast<DWORD>(capacity);
    dialog.lpstrInitialDir = workingFolder.c_str();
    dialog.lpstrTitle = wanted.Title;
    dialog.Flags = wanted.Flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    dialog.lpstrDefExt = wanted.DefaultExtension;
    dialog.lpfnHook = PlacingHook;
    bool chosen = GetOpenFileNameA(&dialog) != 0;
    if (!workingFolder.empty()) SetCurrentDirectoryA(workingFolder.c_str());
    return chosen;
}
