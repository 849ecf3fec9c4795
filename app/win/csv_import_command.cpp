// The import runs in four steps, each ending the command when it says so:
// choose the file, plan it (refused, nothing to import), ask, append.
#include "app/win/csv_import_command.h"

#include <cstring>
#include <string>

#include "app/win/open_dialog.h"
#include "exchange/csv_import.h"
#include "exchange/import_append.h"
#include "logstore/log_store.h"
#include "ui/full_path.h"
#include "ui/log_guard.h"
#include "ui/message_box.h"

namespace {

constexpr char kFilter[] = "CSV Files (*.CSV)\0*.CSV\0All Files (*.*)\0*.*\0";
constexpr int kFileNameCapacity = 260;
constexpr OpenDialogSpec kImportSpec = {"Import a CSV file", kFilter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "CSV"};

int Tell(HWND owner, const std::string& text, UINT type) { return ShowMessageBox(owner, kCaptionImport, text, type); }

}  // namespace

void ImportCsvFile(HWND mainWindow) {
    if (!LogSelected(Log.OpenPath)) return;
    char fileName[kFileNameCapacity] = {};
    if (!AskForFile(mainWindow, kImportSpec, fileName, sizeof fileName)) return;
    std::string csvPath(fileName, strnlen(fileName, sizeof fileName));
    ImportPlan plan = ImportPlanForFile(csvPath);
    if (plan.Refused) {
        Tell(mainWindow, ImportRefusalText(plan, csvPath), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (plan.Reports == 0) {
        Tell(mainWindow, NothingToImportText(plan), MB_OK);
        return;
    }
    std::string logPath = FullPath(Log.OpenPath);
    if (Tell(mainWindow, ImportQuestionText(plan, logPath), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    switch (AddImportedFile(Log, csvPath, plan)) {
        case ImportWriting::Added:
            Tell(mainWindow, ImportDoneText(static_cast<size_t>(plan.Reports), logPath), MB_OK);
            break;
        case ImportWriting::LogFailed:
            Tell(mainWindow, ImportFailedText(Log, logPath), MB_OK | MB_ICONEXCLAMATION);
            break;
        case ImportWriting::FileChanged:
            Tell(mainWindow, ImportFileChangedText(csvPath, logPath), MB_OK | MB_ICONEXCLAMATION);
            break;
    }
}
