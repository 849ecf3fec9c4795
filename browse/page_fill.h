// The entries of the browse page as list items, read from the log.
#pragma once
#include <string>
#include <vector>

#include "browse/page_state.h"
#include "logstore/log_store.h"

// Clears SearchArmed and reads entries PageTop + 1 .. PageTop + PageLines in one
// block; `items` gets one list item per entry read, in entry order. EntryBuffer
// is left holding the last entry of the page. Returns the number of entries
// read, fewer than PageLines when a read failed part way.
int32_t FillPage(LogStore& log, PageState& page, std::vector<std::string>* items);
// A range field's text: the number with one leading blank (" 1").
std::string RangeText(int32_t number);
// The numbers shown in the two range fields: first entry and last entry.
int32_t FirstShownEntry(const PageState& page);
int32_t LastShownEntry(const PageState& page);
// The last entry really shown once FillPage read `linesRead` entries: never
// more than LastShownEntry, less when a read failed part way.
int32_t LastReadEntry(const PageState& page, int32_t linesRead);
