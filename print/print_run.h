// The run started by the Print Log window's main button: every entry from
// the start number on, printed on the default printer or written to a file.
#pragma once
#include <string>

// Reports its outcome in message boxes without an owner and returns when the
// last of them has been dismissed.
void PrintLog(const std::string& startText, bool toFile, const std::string& fileName, bool pauseBetweenPages);
