// An import runs in four steps, each ending the command when it says so:
// choose the file, plan it (refused, nothing to import), ask, append. CSV and
// ADIF files differ only in the dialog, the reading and the words.
#include "app/win/import_command.h"

#include <cstring>
#include <string>

#include "app/win/open_dialog.h"
#include "exchange/adif_import.h"
#include "exchange/csv_import.h"
#include "exchange/import_append.h"
#include "logstore/log_store.h"
#include "ui/full_path.h"
#include "ui/log_guard.h"
#include "ui/message_box.h"
#include "ui/progress_window.h"

namespace {

constexpr char kCsvFilter[] = "CSV Files (*.CSV)\0*.CSV\0All Files (*.*)\0*.*\0";
constexpr char kAdifFilter[] = "ADIF files (*.adi;*.adif)\0*.adi;*.adif\0All Files (*.*)\0*.*\0";
constexpr int kFileNameCapacity = 260;

// What one kind of file needs of the steps.
struct ImportKind {
    OpenDialogSpec Dialog;
    ImportPlan (*Plan)(const std::string& path);
    std::string (*Refusal)(const ImportPlan& plan, const std::string& path);
    std::string (*Nothing)(const ImportPlan& plan);
    std::string (*Question)(const ImportPlan& plan, const std::string& logPath);
    ImportWriting (*Add)(LogStore& log, const std::string& path, const ImportPlan& plan);
};

// The ADIF import carries the reports' register rows along.
ImportWriting AddAdifWithRegister(LogStore& log, const std::string& path, const ImportPlan& plan) {
    bool stored = true;
    ImportWriting writing = AddImportedAdifReports(log, Register, path, plan, &stored);
    if (!stored) {
        ShowMessageBox(nullptr, kCaptionImport,
                       "The reports are added, but what the file says of their reception reports and replies "
                       "could not be written to the report register " +
                           RegisterPath(Log.OpenPath) + ".",
                       MB_OK | MB_ICONEXCLAMATION);
    }
    return writing;
}

const ImportKind kCsvImport = {
    {"Import a CSV file", kCsvFilter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "CSV"},
    ImportPlanForFile,
    ImportRefusalText,
    NothingToImportText,
    ImportQuestionText,
    AddImportedFile,
};

const ImportKind kAdifImport = {
    {"Import an ADIF file", kAdifFilter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "ADI"},
    AdifImportPlanForFile,
    AdifImportRefusalText,
    AdifNothingToImportText,
    AdifImportQuestionText,
    AddAdifWithRegister,
};

int Tell(HWND owner, const std::string& text, UINT type) { return ShowMessageBox(owner, kCaptionImport, text, type); }

void ShowReadProgress(int64_t done, int64_t total, void*) { StepProgressOf(done, total); }

// A long reading of the file shows its progress, the program's windows
// staying painted and the main window taking no input until it ends.
void BeginReading(HWND mainWindow, const char* title) {
    BeginProgress(mainWindow, title, "bytes read", 0);
    ImportProgress = ReadProgress{ShowReadProgress, nullptr};
}

void EndReading() {
    ImportProgress = ReadProgress{};
    EndProgress();
}

ImportPlan PlanWithProgress(HWND mainWindow, const ImportKind& kind, const std::string& path) {
    BeginReading(mainWindow, "Reading the file to import");
    ImportPlan plan = kind.Plan(path);
    EndReading();
    return plan;
}

ImportWriting AddWithProgress(HWND mainWindow, const ImportKind& kind, const std::string& path,
                              const ImportPlan& plan) {
    BeginReading(mainWindow, "Adding the reports");
    ImportWriting writing = kind.Add(Log, path, plan);
    EndReading();
    return writing;
}

void TellAdded(HWND owner, ImportWriting writing, const ImportPlan& plan, const std::string& path,
               const std::string& logPath) {
    switch (writing) {
        case ImportWriting::Added:
            Tell(owner, ImportDoneText(static_cast<size_t>(plan.Reports), logPath), MB_OK);
            break;
        case ImportWriting::LogFailed: Tell(owner, ImportFailedText(Log, logPath), MB_OK | MB_ICONEXCLAMATION); break;
        case ImportWriting::FileChanged:
            Tell(owner, ImportFileChangedText(path, logPath), MB_OK | MB_ICONEXCLAMATION);
            break;
    }
}

void RunImport(HWND mainWindow, const ImportKind& kind) {
    if (!LogSelected(Log.OpenPath)) return;
    char fileName[kFileNameCapacity] = {};
    if (!AskForFile(mainWindow, kind.Dialog, fileName, sizeof fileName)) return;
    std::string path(fileName, strnlen(fileName, sizeof fileName));
    ImportPlan plan = PlanWithProgress(mainWindow, kind, path);
    if (plan.Refused) {
        Tell(mainWindow, kind.Refusal(plan, path), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (plan.Reports == 0) {
        Tell(mainWindow, kind.Nothing(plan), MB_OK);
        return;
    }
    std::string logPath = FullPath(Log.OpenPath);
    if (Tell(mainWindow, kind.Question(plan, logPath), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    TellAdded(mainWindow, AddWithProgress(mainWindow, kind, path, plan), plan, path, logPath);
}

}  // namespace

void ImportCsvFile(HWND mainWindow) { RunImport(mainWindow, kCsvImport); }

void ImportAdifFile(HWND mainWindow) { RunImport(mainWindow, kAdifImport); }
