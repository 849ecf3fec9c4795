// The printed branch of a run: ruled landscape pages on the default printer.
#pragma once
#include <cstdint>

#include "logstore/log_store.h"
#include "logstore/log_walk.h"

enum class PrintStatus {
    Printed,        // every entry printed, the document handed to the spooler
    NoPrinter,      // no default printer, or its document could not be started
    PageFailed,     // the printer refused a page or the document; it was cancelled
    StoppedByUser,  // No at "Print next page?": the pages so far are printed
    ReadFailed,     // the log could not be read to its end; what was read is printed
};

struct PrintOutcome {
    PrintStatus Status = PrintStatus::Printed;
    int32_t Count = 0;   // entries printed
    int FailedPage = 0;  // with PageFailed: the page refused, 0 for the document's end
};

// Prints every entry from `start` up to EntryCount that `filter` keeps (all
// of them without one), 46 to a page; with `pauseBetweenPages` asks before
// each further page. Shows only the
// "Print next page?" question itself; the caller reports the outcome.
PrintOutcome PrintEntries(LogStore& log, int64_t start, bool pauseBetweenPages, const EntryFilter* filter = nullptr);
