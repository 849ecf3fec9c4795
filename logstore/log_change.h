// Changes of many records made as one step through the journal (log_journal.h),
// and their recovery at the next opening. Used inside the log store.
#pragma once
#include <cstdint>

#include "logstore/log_store.h"

// Removes record k (1 <= k < EntryCount): journal, block moves, cut, journal gone.
bool RemoveWithJournal(LogStore& log, int32_t k);
// Finishes or takes back a change left by a killed run; sets log.Recovery.
void RecoverInterruptedChange(LogStore& log);
