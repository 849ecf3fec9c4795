#include "print/win/print_run.h"

#include <windows.h>

#include "exchange/adif_export.h"
#include "exchange/bulletin.h"
#include "exchange/csv_export.h"
#include "exchange/filtered_export.h"
#include "logstore/log_store.h"
#include "platform/utc_time.h"
#include "print/print_text.h"
#include "print/start_number.h"
#include "print/win/printer_output.h"
#include "ui/full_path.h"
#include "ui/message_box.h"

namespace {

constexpr const char* kPrinterFailureText = "Printer Fail";

std::string PageFailureText(int page) {
    if (page == 0)
        return "Printer Fail: the document could not be handed to the printer, so the print is not complete.";
    return "Printer Fail: the printer did not take page " + std::to_string(page) +
           ", so the print was cancelled and is not complete.";
}

void ShowCompletion(int32_t count, const std::string& skipped = "") {
    ShowMessageBox(nullptr, kCaptionLogPrint, CompletionText(count) + skipped);
}

// The output and, for ADIF, what follows the count: the damaged entries skipped.
ExportResult WriteOutput(int64_t start, const RunRequest& request, std::string* skipped) {
    if (request.kind == OutputKind::Bulletin) return WriteBulletin(Log, start, request.fileName, request.filter);
    if (request.kind == OutputKind::Adif) {
        AdifExportResult adif =
            ExportAdif(Log, start, request.fileName, request.filter, UtcNow(), FullPath(Log.OpenPath));
        *skipped = AdifSkipText(adif);
        return adif.written;
    }
    return ExportReports(Log, start, request.fileName, request.filter);
}

void ExportToFile(int64_t start, const RunRequest& request) {
    const std::string& fileName = request.fileName;
    std::string skipped;
    ExportResult result = WriteOutput(start, request, &skipped);
    if (result.status == ExportStatus::Written) {
        ShowCompletion(result.count, skipped);
        return;
    }
    ShowMessageBox(nullptr, kCaptionLogPrint, ExportFailureText(result.status, fileName), MB_OK | MB_ICONEXCLAMATION);
}

void ShowPrinterFailure(const std::string& text) {
    ShowMessageBox(nullptr, kCaptionPrinterReport, text, MB_OK | MB_TASKMODAL);
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
            ShowMessageBox(nullptr, kCaptionLogPrint, ReadFailureText(outcome.count), MB_OK | MB_ICONEXCLAMATION);
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
