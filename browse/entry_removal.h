// Deleting the entry on the chosen browse line.
#pragma once
#include <cstdint>

#include "browse/page_state.h"
#include "logstore/log_store.h"
#include "reports/register.h"

// Sets CurrentEntryNumber to the entry on the chosen line and returns it; 0 (and
// nothing set) when no line is chosen.
int32_t ChooseEntryToDelete(PageState& page);
// Removes entry CurrentEntryNumber and adjusts the page to the new count. Returns
// false when the log store could not finish (its LastError says why); EntryCount
// then follows the file's real length and the page fits whatever the file holds.
// The register's rows follow: the entry's row goes, the keys of later identical
// records are noted first (register.h); a register that cannot note them
// refuses the deletion (RegisterFailed) with the log unchanged.
bool DeleteCurrentEntry(LogStore& log, PageState& page, ReportRegister& reg);
// The first line of the message after DeleteCurrentEntry failed with `error`.
// A deletion refused before anything moved (a read-only log, no room for its
// journal) leaves the log unchanged and says so; one that failed part way
// could not be finished (the next opening finishes it).
const char* DeleteFailedHeading(LogError error);
