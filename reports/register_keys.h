// Finding the reports the register's keys name in the log, in one pass over it.
#pragma once
#include <cstdint>
#include <vector>

#include "logstore/log_store.h"
#include "reports/register_file.h"

// Sets each row's Entry from its key (0: not in the log) with one read of the
// log, and folds a pending key into the key: when the log's entry count shows
// that the announced change was made (CountAfter) its pending key counts, when
// it shows it was not (CountBefore) the old one, and otherwise the key found,
// the pending one first. A row pending removal whose change was made is
// dropped. A key whose occurrence is beyond the identical records left takes
// the first of them. False when the log could not be read; Entry is 0 then.
bool ResolveRows(LogStore& log, const PendingChange& change, std::vector<RegisterRow>* rows);

// The occurrence `record` would have as entry `entry`: one more than the
// records identical to it among entries 1..entry-1. 0 when the log cannot be read.
uint32_t OccurrenceAt(LogStore& log, int32_t entry, const LogEntry& record);
// Sets each row's key from the record at its Entry, with one read of the log up
// to the last of them. False when the log cannot be read or an Entry is not in it.
bool KeyRowsByEntry(LogStore& log, std::vector<RegisterRow>* rows);
