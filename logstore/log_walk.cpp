#include "logstore/log_walk.h"

#include <vector>

namespace {
// Entries per block read: a little under half a megabyte.
constexpr int32_t kWalkBlockEntries = 4096;
}  // namespace

WalkResult WalkLog(LogStore& log, int64_t start, EntryVisitor visit, void* context, const EntryFilter* filter) {
    WalkResult result;
    if (start < 1) start = 1;
    if (start > log.EntryCount) return result;
    std::vector<LogEntry> block(static_cast<size_t>(kWalkBlockEntries));
    std::vector<int32_t> chosen(filter ? static_cast<size_t>(kWalkBlockEntries) : 0);
    int32_t next = static_cast<int32_t>(start);
    while (next <= log.EntryCount) {
        int32_t wanted = log.EntryCount - next + 1;
        if (wanted > kWalkBlockEntries) wanted = kWalkBlockEntries;
        int32_t got = 0;
        bool readOk = ReadEntries(log, next, wanted, block.data(), &got);
        int32_t outputs = filter ? filter->Choose(block.data(), got, next, chosen.data(), filter->Context) : got;
        for (int32_t k = 0; k < outputs; ++k) {
            const LogEntry& entry = block[static_cast<size_t>(filter ? chosen[static_cast<size_t>(k)] : k)];
            result.Count += 1;
            if (!visit(entry, context)) {
                log.EntryBuffer = entry;
                result.Stopped = true;
                return result;
            }
        }
        // Nothing looks at EntryBuffer during the walk; it ends up holding
        // the last entry read, as if each had been read into it in turn.
        if (got > 0) log.EntryBuffer = block[static_cast<size_t>(got) - 1];
        if (!readOk || got < wanted) {
            result.ReadFailed = true;
            return result;
        }
        next += got;
    }
    return result;
}
