#include "print/win/printer_output.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "logstore/log_walk.h"
#include "print/page_layout.h"
#include "ui/message_box.h"

namespace {

constexpr const char* kDocumentName = "Print job";
constexpr const char* kFontName = "Courier New";
constexpr int kFontPoints = 10;
constexpr const char* kNextPageText = "Print next page?";

// The attached printer for the time of one run.
struct PrinterJob {
    HDC DeviceContext = nullptr;
    HGLOBAL DevModeHandle = nullptr;
    HGLOBAL DevNamesHandle = nullptr;
    std::vector<char> DevMode;  // the printer's settings, switched to landscape
    HFONT Font = nullptr;
    HPEN Pen = nullptr;
    int CellWidth = 0;            // CW
    std::vector<INT> CellWidths;  // CW for every character of a text
    bool DocStarted = false;
    bool PageOpen = false;
    int PageNumber = 1;
    bool PageFailed = false;
    int FailedPage = 0;
};

struct PrintRun {
    PrinterJob* Job;
    PageLayout Layout;
    std::vector<DrawOp> Operations;
    bool StoppedByUser = false;
};

bool HasPrinterName(HGLOBAL devNamesHandle) {
    if (!devNamesHandle) return false;
    const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(devNamesHandle));
    if (!names) return false;
    const char* device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    bool named = device[0] != '\0';
    GlobalUnlock(devNamesHandle);
    return named;
}

// A copy of the printer's own DEVMODE with landscape orientation.
void PrepareLandscape(PrinterJob* job) {
    const DEVMODEA* source =
        job->DevModeHandle ? static_cast<const DEVMODEA*>(GlobalLock(job->DevModeHandle)) : nullptr;
    if (source) {
        size_t size = source->dmSize + source->dmDriverExtra;
        job->DevMode.assign(reinterpret_cast<const char*>(source), reinterpret_cast<const char*>(source) + size);
        GlobalUnlock(job->DevModeHandle);
    } else {
        DEVMODEA plain = {};
        plain.dmSize = sizeof plain;
        const char* bytes = reinterpret_cast<const char*>(&plain);
        job->DevMode.assign(bytes, bytes + sizeof plain);
    }
    DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(job->DevMode.data());
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
}

void ApplyLandscape(PrinterJob* job) { ResetDCA(job->DeviceContext, reinterpret_cast<DEVMODEA*>(job->DevMode.data())); }

void SelectDrawingTools(PrinterJob* job) {
    SelectObject(job->DeviceContext, job->Font);
    SelectObject(job->DeviceContext, job->Pen);
    SetBkMode(job->DeviceContext, TRANSPARENT);
    SetTextColor(job->DeviceContext, RGB(0, 0, 0));
    SetTextAlign(job->DeviceContext, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

HFONT CreatePrintFont(int dpi) {
    LOGFONTA font = {};
    font.lfHeight = -(kFontPoints * dpi / 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    // Where Courier New is missing, the font mapper then still picks a
    // fixed-pitch face, so the columns keep lining up under their rules.
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(font.lfFaceName, kFontName, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

// Attaches the default printer without a dialog and starts the document.
bool AttachPrinter(PrinterJob* job) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&dialog)) return false;
    job->DeviceContext = dialog.hDC;
    job->DevModeHandle = dialog.hDevMode;
    job->DevNamesHandle = dialog.hDevNames;
    if (!job->DeviceContext || !HasPrinterName(job->DevNamesHandle)) return false;
    DOCINFOA doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = kDocumentName;
    if (StartDocA(job->DeviceContext, &doc) <= 0) return false;
    job->DocStarted = true;
    return true;
}

PageMetrics PreparePage(PrinterJob* job) {
    PageMetrics metrics;
    metrics.DotsPerInch = GetDeviceCaps(job->DeviceContext, LOGPIXELSY);  // before the switch to landscape
    job->Font = CreatePrintFont(metrics.DotsPerInch);
    job->Pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    PrepareLandscape(job);
    ApplyLandscape(job);
    SelectDrawingTools(job);
    TEXTMETRICA tm = {};
    GetTextMetricsA(job->DeviceContext, &tm);
    metrics.CharWidth = tm.tmAveCharWidth;
    metrics.LineHeight = tm.tmHeight + tm.tmExternalLeading;
    job->CellWidth = metrics.CharWidth;
    return metrics;
}

void ReleasePrinter(PrinterJob* job) {
    if (job->DeviceContext) DeleteDC(job->DeviceContext);
    if (job->Font) DeleteObject(job->Font);
    if (job->Pen) DeleteObject(job->Pen);
    if (job->DevModeHandle) GlobalFree(job->DevModeHandle);
    if (job->DevNamesHandle) GlobalFree(job->DevNamesHandle);
    *job = PrinterJob{};
}

void PageRefused(PrinterJob* job) {
    job->PageFailed = true;
    job->FailedPage = job->PageNumber;
}

// A page is begun by the first thing drawn on it, in landscape.
bool BeginPage(PrinterJob* job) {
    if (job->PageOpen) return true;
    ApplyLandscape(job);
    if (StartPage(job->DeviceContext) <= 0) {
        PageRefused(job);
        return false;
    }
    SelectDrawingTools(job);
    job->PageOpen = true;
    return true;
}

bool EndThisPage(PrinterJob* job) {
    if (!BeginPage(job)) return false;
    job->PageOpen = false;
    if (EndPage(job->DeviceContext) <= 0) {
        PageRefused(job);
        return false;
    }
    job->PageNumber += 1;
    return true;
}

bool AskNextPage() { return ShowMessageBox(nullptr, kCaptionEndOfPage, kNextPageText, MB_YESNO) != IDNO; }

// Draws the text in cells of exactly CW, the width the rules are measured in.
// Some drivers place glyphs at their fractional advance (24.6 dots instead of
// 25), which would let the text drift across the rules by the end of a row.
void DrawCells(PrinterJob* job, const DrawOp& op) {
    job->CellWidths.resize(op.Text.size(), job->CellWidth);
    ExtTextOutA(job->DeviceContext, op.X, op.Y, 0, nullptr, op.Text.data(), static_cast<UINT>(op.Text.size()),
                job->CellWidths.data());
}

// Draws the operations in order; false when the run has to stop here.
bool Replay(PrintRun* run) {
    PrinterJob* job = run->Job;
    for (const DrawOp& op : run->Operations) {
        switch (op.Kind) {
            case DrawKind::Text:
                if (!BeginPage(job)) return false;
                DrawCells(job, op);
                break;
            case DrawKind::Line:
                if (!BeginPage(job)) return false;
                MoveToEx(job->DeviceContext, op.X, op.Y, nullptr);
                LineTo(job->DeviceContext, op.EndX, op.EndY);
                break;
            case DrawKind::PageEnd:
                if (!EndThisPage(job)) return false;
                break;
            case DrawKind::AskNextPage:
                if (!AskNextPage()) {
                    run->StoppedByUser = true;
                    return false;
                }
                break;
        }
    }
    run->Operations.clear();
    return true;
}

bool PrintEntry(const LogEntry& entry, void* context) {
    PrintRun* run = static_cast<PrintRun*>(context);
    LayoutEntry(&run->Layout, entry, &run->Operations);
    return Replay(run);
}

// Ends the document so the spooler gets it; false when it was refused.
bool EndDocument(PrinterJob* job) {
    job->DocStarted = false;
    if (EndDoc(job->DeviceContext) <= 0) {
        job->PageFailed = true;
        job->FailedPage = 0;
        return false;
    }
    return true;
}

PrintOutcome Refused(PrinterJob* job, int32_t count) {
    if (job->DocStarted) AbortDoc(job->DeviceContext);
    PrintOutcome outcome;
    outcome.Status = PrintStatus::PageFailed;
    outcome.Count = count;
    outcome.FailedPage = job->FailedPage;
    ReleasePrinter(job);
    return outcome;
}

}  // namespace

PrintOutcome PrintEntries(LogStore& log, int64_t start, bool pauseBetweenPages, const EntryFilter* filter) {
    PrinterJob job;
    PrintOutcome outcome;
    if (!AttachPrinter(&job)) {
        ReleasePrinter(&job);
        outcome.Status = PrintStatus::NoPrinter;
        return outcome;
    }
    PrintRun run{&job, StartLayout(PreparePage(&job), pauseBetweenPages), {}, false};
    WalkResult walk = WalkLog(log, start, PrintEntry, &run, filter);
    int32_t count = walk.Count;
    if (job.PageFailed) return Refused(&job, count);
    if (run.StoppedByUser) {
        outcome.Status = PrintStatus::StoppedByUser;
        outcome.Count = count;
        if (!EndDocument(&job)) return Refused(&job, count);
        ReleasePrinter(&job);
        return outcome;
    }
    run.Operations.clear();
    LayoutFinish(&run.Layout, &run.Operations);
    if (!Replay(&run) || !EndDocument(&job)) return Refused(&job, count);
    outcome.Status = walk.ReadFailed ? PrintStatus::ReadFailed : PrintStatus::Printed;
    outcome.Count = count;
    ReleasePrinter(&job);
    return outcome;
}
