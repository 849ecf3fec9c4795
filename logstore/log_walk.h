// The walk of a print or export run: every entry from the start number up to
// EntryCount, in ascending order, each read into EntryBuffer and handed on.
#pragma once
#include <cstdint>

#include "logstore/log_store.h"

// Gets each entry in turn; returns false to stop the walk after this entry.
using EntryVisitor = bool (*)(const LogEntry& entry, void* context);

// Chooses the entries a run outputs; the others are read but neither handed
// on nor counted. A run without one outputs every entry. It is asked once a
// block, so that its test of each entry runs in one tight loop: it writes the
// indexes into `block` of the entries to output, ascending, to `chosen` and
// returns how many it wrote. `first` is the entry number of block[0].
struct EntryFilter {
    int32_t (*Choose)(const LogEntry* block, int32_t count, int64_t first, int32_t* chosen,
                      const void* context) = nullptr;
    const void* Context = nullptr;
};

struct WalkResult {
    int32_t Count = 0;        // entries handed on, the one that stopped the walk included
    bool Stopped = false;     // the visitor asked to stop
    bool ReadFailed = false;  // an entry could not be read; the walk ended there
};

// Entries are read in large blocks; afterwards EntryBuffer holds the last
// entry read.
WalkResult WalkLog(LogStore& log, int64_t start, EntryVisitor visit, void* context,
                   const EntryFilter* filter = nullptr);
