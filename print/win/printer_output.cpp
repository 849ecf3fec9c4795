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
    HDC dc = nullptr;
    HGLOBAL devModeHandle = nullptr;
    HGLOBAL devNamesHandle = nullptr;
    std::vector<char> devMode;  // the printer's settings, switched to landscape
    HFONT font = nullptr;
    HPEN pen = nullptr;
    int cellWidth = 0;            // CW
    std::vector<INT> cellWidths;  // CW for every character of a text
    bool docStarted = false;
    bool pageOpen = false;
    int pageNumber = 1;
    bool pageFailed = false;
    int failedPage = 0;
};

struct PrintRun {
    PrinterJob* job;
    PageLayout layout;
    std::vector<DrawOp> ops;
    bool stoppedByUser = false;
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
    const DEVMODEA* source = job->devModeHandle ? static_cast<const DEVMODEA*>(GlobalLock(job->devModeHandle))
                                                : nullptr;
    if (source) {
        size_t size = source->dmSize + source->dmDriverExtra;
        job->devMode.assign(reinterpret_cast<const char*>(source), reinterpret_cast<const char*>(source) + size);
        GlobalUnlock(job->devModeHandle);
    } else {
        DEVMODEA plain = {};
        plain.dmSize = sizeof plain;
        const char* bytes = reinterpret_cast<const char*>(&plain);
        job->devMode.assign(bytes, bytes + sizeof plain);
    }
    DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(job->devMode.data());
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
}

void ApplyLandscape(PrinterJob* job) {
    ResetDCA(job->dc, reinterpret_cast<DEVMODEA*>(job->devMode.data()));
}

void SelectDrawingTools(PrinterJob* job) {
    SelectObject(job->dc, job->font);
    SelectObject(job->dc, job->pen);
    SetBkMode(job->dc, TRANSPARENT);
    SetTextColor(job->dc, RGB(0, 0, 0));
    SetTextAlign(job->dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
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
    job->dc = dialog.hDC;
    job->devModeHandle = dialog.hDevMode;
    job->devNamesHandle = dialog.hDevNames;
    if (!job->dc || !HasPrinterName(job->devNamesHandle)) return false;
    DOCINFOA doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = kDocumentName;
    if (StartDocA(job->dc, &doc) <= 0) return false;
    job->docStarted = true;
    return true;
}

PageMetrics PreparePage(PrinterJob* job) {
    PageMetrics metrics;
    metrics.dpi = GetDeviceCaps(job->dc, LOGPIXELSY);  // before the switch to landscape
    job->font = CreatePrintFont(metrics.dpi);
    job->pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    PrepareLandscape(job);
    ApplyLandscape(job);
    SelectDrawingTools(job);
    TEXTMETRICA tm = {};
    GetTextMetricsA(job->dc, &tm);
    metrics.cw = tm.tmAveCharWidth;
    metrics.lh = tm.tmHeight + tm.tmExternalLeading;
    job->cellWidth = metrics.cw;
    return metrics;
}

void ReleasePrinter(PrinterJob* job) {
    if (job->dc) DeleteDC(job->dc);
    if (job->font) DeleteObject(job->font);
    if (job->pen) DeleteObject(job->pen);
    if (job->devModeHandle) GlobalFree(job->devModeHandle);
    if (job->devNamesHandle) GlobalFree(job->devNamesHandle);
    *job = PrinterJob{};
}

void PageRefused(PrinterJob* job) {
    job->pageFailed = true;
    job->failedPage = job->pageNumber;
}

// A page is begun by the first thing drawn on it, in landscape.
bool BeginPage(PrinterJob* job) {
    if (job->pageOpen) return true;
    ApplyLandscape(job);
    if (StartPage(job->dc) <= 0) {
        PageRefused(job);
        return false;
    }
    SelectDrawingTools(job);
    job->pageOpen = true;
    return true;
}

bool EndThisPage(PrinterJob* job) {
    if (!BeginPage(job)) return false;
    job->pageOpen = false;
    if (EndPage(job->dc) <= 0) {
        PageRefused(job);
        return false;
    }
    job->pageNumber += 1;
    return true;
}

bool AskNextPage() {
    return ShowMessageBox(nullptr, kCaptionEndOfPage, kNextPageText, MB_YESNO) != IDNO;
}

// Draws the text in cells of exactly CW, the width the rules are measured in.
// Some drivers place glyphs at their fractional advance (24.6 dots instead of
// 25), which would let the text drift across the rules by the end of a row.
void DrawCells(PrinterJob* job, const DrawOp& op) {
    job->cellWidths.resize(op.text.size(), job->cellWidth);
    ExtTextOutA(job->dc, op.x, op.y, 0, nullptr, op.text.data(), static_cast<UINT>(op.text.size()),
                job->cellWidths.data());
}

// Draws the operations in order; false when the run has to stop here.
bool Replay(PrintRun* run) {
    PrinterJob* job = run->job;
    for (const DrawOp& op : run->ops) {
        switch (op.kind) {
            case DrawKind::Text:
                if (!BeginPage(job)) return false;
                DrawCells(job, op);
                break;
            case DrawKind::Line:
                if (!BeginPage(job)) return false;
                MoveToEx(job->dc, op.x, op.y, nullptr);
                LineTo(job->dc, op.x2, op.y2);
                break;
            case DrawKind::PageEnd:
                if (!EndThisPage(job)) return false;
                break;
            case DrawKind::AskNextPage:
                if (!AskNextPage()) {
                    run->stoppedByUser = true;
                    return false;
                }
                break;
        }
    }
    run->ops.clear();
    return true;
}

bool PrintEntry(const LogEntry& entry, void* context) {
    PrintRun* run = static_cast<PrintRun*>(context);
    LayoutEntry(&run->layout, entry, &run->ops);
    return Replay(run);
}

// Ends the document so the spooler gets it; false when it was refused.
bool EndDocument(PrinterJob* job) {
    job->docStarted = false;
    if (EndDoc(job->dc) <= 0) {
        job->pageFailed = true;
        job->failedPage = 0;
        return false;
    }
    return true;
}

PrintOutcome Refused(PrinterJob* job, int32_t count) {
    if (job->docStarted) AbortDoc(job->dc);
    PrintOutcome outcome;
    outcome.status = PrintStatus::PageFailed;
    outcome.count = count;
    outcome.failedPage = job->failedPage;
    ReleasePrinter(job);
    return outcome;
}

}  // namespace

PrintOutcome PrintEntries(LogStore& log, int64_t start, bool pauseBetweenPages, const EntryFilter* filter) {
    PrinterJob job;
    PrintOutcome outcome;
    if (!AttachPrinter(&job)) {
        ReleasePrinter(&job);
        outcome.status = PrintStatus::NoPrinter;
        return outcome;
    }
    PrintRun run{&job, StartLayout(PreparePage(&job), pauseBetweenPages), {}, false};
    WalkResult walk = WalkLog(log, start, PrintEntry, &run, filter);
    int32_t count = walk.count;
    if (job.pageFailed) return Refused(&job, count);
    if (run.stoppedByUser) {
        outcome.status = PrintStatus::StoppedByUser;
        outcome.count = count;
        if (!EndDocument(&job)) return Refused(&job, count);
        ReleasePrinter(&job);
        return outcome;
    }
    run.ops.clear();
    LayoutFinish(&run.layout, &run.ops);
    if (!Replay(&run) || !EndDocument(&job)) return Refused(&job, count);
    outcome.status = walk.readFailed ? PrintStatus::ReadFailed : PrintStatus::Printed;
    outcome.count = count;
    ReleasePrinter(&job);
    return outcome;
}
