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
#include "reports/register.h"
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
    if (request.Kind == OutputKind::Bulletin) return WriteBulletin(Log, start, request.FileName, request.Filter);
    if (request.Kind == OutputKind::Adif) {
        AdifExportResult adif =
            ExportAdif(Log, start, request.FileName, request.Filter, UtcNow(), FullPath(Log.OpenPath), &Register.Rows);
        *skipped = AdifSkipText(adif);
        return adif.Written;
    }
    return ExportReports(Log, start, request.FileName, request.Filter);
}

void ExportToFile(int64_t start, const RunRequest& request) {
    const std::string& fileName = request.FileName;
    std::string skipped;
    ExportResult result = WriteOutput(start, request, &skipped);
    if (result.Status == ExportStatus::Written) {
        ShowCompletion(result.Count, skipped);
        return;
    }
    ShowMessageBox(nullptr, kCaptionLogPrint, ExportFailureText(result.Status, fileName), MB_OK | MB_ICONEXCLAMATION);
}

void ShowPrinterFailure(const std::string& text) {
    ShowMessageBox(nullptr, kCaptionPrinterReport, text, MB_OK | MB_TASKMODAL);
}

void PrintOnPrinter(int64_t start, const RunRequest& request) {
    EntryFilter hook;
    PrintOutcome outcome = PrintEntries(Log, start, request.PauseBetweenPages, RunFilter(request.Filter, &hook));
    switch (outcome.Status) {
        case PrintStatus::Printed: ShowCompletion(outcome.Count); break;
        case PrintStatus::NoPrinter: ShowPrinterFailure(kPrinterFailureText); break;
        case PrintStatus::PageFailed: ShowPrinterFailure(PageFailureText(outcome.FailedPage)); break;
        case PrintStatus::StoppedByUser: break;
        case PrintStatus::ReadFailed:
            ShowMessageBox(nullptr, kCaptionLogPrint, ReadFailureText(outcome.Count), MB_OK | MB_ICONEXCLAMATION);
            break;
    }
}

}  // namespace

void PrintLog(const RunRequest& request) {
    int64_t start = ReadStartNumber(request.StartText);
    if (request.ToFile) {
        ExportToFile(start, request);
    } else {
        PrintOnPrinter(start, request);
    }
}
