// "&Open" and "&New": close the log, ask for a file with the standard Open
// dialog, then open the chosen log, or the previous one again after a cancel.
#include "app/win/log_selection.h"

#include <string>

#include "app/log_choice.h"
#include "app/win/open_dialog.h"
#include "logstore/log_store.h"
#include "platform/file.h"
#include "reports/win/register_opening.h"
#include "ui/log_guard.h"

namespace {

// Description and pattern, each ended by a zero, then an empty entry.
constexpr char kFilter[] = "Log Files (*.ULM)\0*.ULM\0";
constexpr const char* kDefaultExtension = "LOG";
constexpr int kFileNameCapacity = 260;
constexpr OpenDialogSpec kOpenSpec = {"Open a Log file", kFilter, OFN_FILEMUSTEXIST, kDefaultExtension};
constexpr OpenDialogSpec kNewSpec = {"Open a Log file", kFilter, 0, kDefaultExtension};

}  // namespace

void ChooseLog(HWND mainWindow, bool createNew) {
    std::string previous = Log.OpenPath;
    CloseLog(Log);

    char fileName[kFileNameCapacity] = {};
    bool chosen = AskForFile(mainWindow, createNew ? kNewSpec : kOpenSpec, fileName, sizeof fileName);

    std::string path = ChosenLogPath(previous, chosen, fileName, sizeof fileName);
    // The dialog may hand back a new name as typed, without the extension.
    if (chosen) path = WithDefaultExtension(path, kDefaultExtension, FileExists(path.c_str()));
    OpenLogAndSayRecovery(Log, path);
    OpenRegisterAndSayWhy(Log);  // switching logs switches registers
}
