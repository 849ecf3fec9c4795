// The run started by the Print Log window's main button: the entries from
// the start number on that the filter keeps, printed on the default printer
// or written to a file of the chosen kind.
#pragma once
#include <string>

#include "records/entry_filter.h"

enum class OutputKind { Csv, Bulletin, Adif };

struct RunRequest {
    std::string StartText;
    bool ToFile = false;
    OutputKind Kind = OutputKind::Csv;  // with toFile: what the file holds
    std::string FileName;
    bool PauseBetweenPages = false;
    ReportFilter Filter;  // already read and accepted; empty: every entry
};

// Reports its outcome in message boxes without an owner and returns when the
// last of them has been dismissed.
void PrintLog(const RunRequest& request);
