#include "print/win/print_run.h"

#include <windows.h>

#include "exchange/bulletin.h"
#include "exchange/csv_export.h"
#include "exchange/filtered_export.h"
#include "logstore/log_store.h"
#include "print/print_text.h"
#include "print/start_number.h"
#include "print/win/printer_output.h"
#include "ui/full_path.h"

namespace {

constexpr const char* kPrinterFailureText = "Printer Fail";
constexpr const char* kPrinterFailureCaption = "Printer Report";

std::string PageFailureText(int page) {
    if (page == 0) return "Printer Fail: the document could not be handed to the printer, so the print is not complete.";
    return "Printer Fail: the printer did not take page " + std::to_string(page) +
           ", so the print was cancelled and is not complete.";
}

std::wstring Wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// Windows file names differ only when they differ beyond letter case.
bool NamesOpenLog(const std::string& fileName) {
    if (!IsLogOpen(Log) || fileName.empty()) return false;
    std::wstring a = Wide(FullPath(fileName));
    std::wstring b = Wide(FullPath(Log.OpenPath));
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

void ShowCompletion(int32_t count) {
    MessageBoxA(nullptr, CompletionText(count).c_str(), kCompletionCaption, MB_OK);
}

ExportResult WriteOutput(int64_t start, const RunRequest& request) {
    if (request.kind == OutputKind::Bulletin) return WriteBulletin(Log, start, request.fileName, request.filter);
    return ExportReports(Log, start, request.fileName, request.filter);
}

void ExportToFile(int64_t start, const RunRequest& request) {
    const std::string& fileName = request.fileName;
    ExportResult result;
    if (NamesOpenLog(fileName)) {
        result.status = ExportStatus::NamesOpenLog;
    } else {
        result = WriteOutput(start, request);
    }
    if (result.status == ExportStatus::Written) {
        ShowCompletion(result.count);
        return;
    }
    MessageBoxA(nullptr, ExportFailureText(result.status, fileName).c_str(), kExportFailureCaption,
                MB_OK | MB_ICONEXCLAMATION);
}

void ShowPrinterFailure(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kPrinterFailureCaption, MB_OK | MB_TASKMODAL);
}

void PrintOnPrinter(int64_t start, const RunRequest& request) {
    EntryFilter hook;
    PrintOutcome outcome = PrintEntries(Log, start, request.pauseBetweenPages, RunFilter(request.filter, &hook));
    switch (outcome.status) {
        case PrintStatus::Printed: ShowCompletion(outcome.count); break;
        case PrintStatus::NoPrinter: ShowPrinterFailure(kPrinterFailureText); break;
        case PrintStatus::PageFailed: ShowPrinterFailure(PageFailureText(outcome.failedPage)); break;
        case PrintStatus::StoppedByUser: break;
        case PrintStatus::ReadFailed:
            MessageBoxA(nullptr, ReadFailureText(outcome.count).c_str(), kCompletionCaption, MB_OK | MB_ICONEXCLAMATION);
            break;
    }
}

}  // namespace

void PrintLog(const RunRequest& request) {
    int64_t start = ReadStartNumber(request.startText);
    if (request.toFile) {
        ExportToFile(start, request);
    } else {
        PrintOnPrinter(start, request);
    }
}
