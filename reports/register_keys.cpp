#include "reports/register_keys.h"

#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

constexpr int32_t kBlockRecords = 8192;
constexpr int kFilterBits = 20;

// A cheap hash of five words of the record (the date, the time, the station
// and the start of the location): most records of a log differ from every key
// in one of them, so the exact look-up runs only on a few.
inline uint64_t QuickHash(const LogEntry& record) {
    const char* bytes = reinterpret_cast<const char*>(&record);
    uint64_t w[5];
    std::memcpy(&w[0], bytes, 8);
    std::memcpy(&w[1], bytes + 8, 8);
    std::memcpy(&w[2], bytes + 21, 8);
    std::memcpy(&w[3], bytes + 29, 8);
    std::memcpy(&w[4], bytes + 37, 8);
    uint64_t h = w[0] * 0x9E3779B97F4A7C15ull;
    h = (h ^ w[1]) * 0xC2B2AE3D27D4EB4Full;
    h = (h ^ w[2]) * 0x165667B19E3779F9ull;
    h = (h ^ w[3]) * 0x9E3779B97F4A7C15ull;
    h = (h ^ w[4]) * 0xC2B2AE3D27D4EB4Full;
    return h ^ (h >> 29);
}

inline uint32_t FilterIndex(uint64_t hash) { return static_cast<uint32_t>(hash >> (64 - kFilterBits)); }

std::string_view BytesOf(const LogEntry& record) {
    return std::string_view(reinterpret_cast<const char*>(&record), sizeof(LogEntry));
}

// One distinct record among the keys: the occurrences of it seen so far.
struct Slot {
    uint32_t Seen = 0;
    int32_t First = 0;
    std::unordered_map<uint32_t, int32_t> EntryOf;  // occurrence wanted -> entry, 0 until seen
};

struct KeyIndex {
    std::vector<uint64_t> Filter = std::vector<uint64_t>((1u << kFilterBits) / 64, 0);
    std::unordered_map<std::string, Slot> Slots;  // owns its keys: rows' keys change while folding

    void Want(const RegisterKey& key) {
        Slots[std::string(BytesOf(key.Record))].EntryOf.emplace(key.Occurrence, 0);
        uint32_t bit = FilterIndex(QuickHash(key.Record));
        Filter[bit / 64] |= 1ull << (bit % 64);
    }
    void See(const LogEntry& record, int32_t entry) {
        uint32_t bit = FilterIndex(QuickHash(record));
        if ((Filter[bit / 64] & (1ull << (bit % 64))) == 0) return;
        auto found = Slots.find(std::string(BytesOf(record)));
        if (found == Slots.end()) return;
        Slot& slot = found->second;
        if (++slot.Seen == 1) slot.First = entry;
        auto wanted = slot.EntryOf.find(slot.Seen);
        if (wanted != slot.EntryOf.end()) wanted->second = entry;
    }
    // The entry holding exactly the key, 0 when none.
    int32_t Exact(const RegisterKey& key) const {
        auto found = Slots.find(std::string(BytesOf(key.Record)));
        if (found == Slots.end()) return 0;
        auto wanted = found->second.EntryOf.find(key.Occurrence);
        return wanted == found->second.EntryOf.end() ? 0 : wanted->second;
    }
    int32_t FirstOf(const RegisterKey& key) const {
        auto found = Slots.find(std::string(BytesOf(key.Record)));
        return found == Slots.end() ? 0 : found->second.First;
    }
};

bool WalkForKeys(LogStore& log, KeyIndex* index) {
    std::vector<LogEntry> block(static_cast<size_t>(kBlockRecords));
    for (int32_t first = 1; first <= log.EntryCount; first += kBlockRecords) {
        int32_t got = 0;
        if (!ReadEntries(log, first, kBlockRecords, block.data(), &got) || got <= 0) return false;
        for (int32_t i = 0; i < got; ++i) index->See(block[static_cast<size_t>(i)], first + i);
    }
    return true;
}

enum class Landing { Made, NotMade, Unknown };

Landing LandingOf(const LogStore& log, const PendingChange& change) {
    if (!change.Active || change.CountBefore == change.CountAfter) return Landing::Unknown;
    if (log.EntryCount == change.CountAfter) return Landing::Made;
    if (log.EntryCount == change.CountBefore) return Landing::NotMade;
    return Landing::Unknown;
}

// Folds the row's pending key by `landing`; false when the row is to be dropped.
bool FoldPending(const KeyIndex& index, Landing landing, RegisterRow* row) {
    PendingState pending = row->Pending;
    row->Pending = PendingState::None;
    if (pending == PendingState::None) return true;
    if (pending == PendingState::Removed) {
        if (landing == Landing::Made) return false;
        return landing == Landing::NotMade || index.Exact(row->Key) != 0;
    }
    bool usePending = landing == Landing::Made || (landing == Landing::Unknown &&
                                                   (index.Exact(row->PendingKey) != 0 || index.Exact(row->Key) == 0));
    if (usePending) row->Key = row->PendingKey;
    return true;
}

}  // namespace

bool ResolveRows(LogStore& log, const PendingChange& change, std::vector<RegisterRow>* rows) {
    KeyIndex index;
    for (const RegisterRow& row : *rows) {
        index.Want(row.Key);
        if (row.Pending == PendingState::Moved) index.Want(row.PendingKey);
    }
    bool read = WalkForKeys(log, &index);
    Landing landing = LandingOf(log, change);
    std::vector<RegisterRow> kept;
    kept.reserve(rows->size());
    for (RegisterRow& row : *rows) {
        if (!FoldPending(index, landing, &row)) continue;
        row.Entry = read ? index.Exact(row.Key) : 0;
        if (read && row.Entry == 0 && index.FirstOf(row.Key) != 0) {
            // Identical records cannot be told apart: the row stays on the first left.
            row.Entry = index.FirstOf(row.Key);
            row.Key.Occurrence = 1;
        }
        kept.push_back(std::move(row));
    }
    *rows = std::move(kept);
    return read;
}

bool KeyRowsByEntry(LogStore& log, std::vector<RegisterRow>* rows) {
    std::unordered_map<int32_t, size_t> rowOfEntry;
    std::unordered_map<std::string, uint32_t> seen;  // the rows' records: how often met so far
    int32_t last = 0;
    for (size_t i = 0; i < rows->size(); ++i) {
        RegisterRow& row = (*rows)[i];
        int32_t got = 0;
        if (!rowOfEntry.emplace(row.Entry, i).second || !ReadEntries(log, row.Entry, 1, &row.Key.Record, &got) ||
            got != 1) {
            return false;
        }
        seen.emplace(std::string(BytesOf(row.Key.Record)), 0);
        if (row.Entry > last) last = row.Entry;
    }
    std::vector<LogEntry> block(static_cast<size_t>(kBlockRecords));
    for (int32_t first = 1; first <= last; first += kBlockRecords) {
        int32_t got = 0;
        if (!ReadEntries(log, first, kBlockRecords, block.data(), &got) || got <= 0) return false;
        for (int32_t i = 0; i < got && first + i <= last; ++i) {
            auto count = seen.find(std::string(BytesOf(block[static_cast<size_t>(i)])));
            if (count == seen.end()) continue;
            ++count->second;
            auto row = rowOfEntry.find(first + i);
            if (row == rowOfEntry.end()) continue;
            (*rows)[row->second].Key.Occurrence = count->second;
            (*rows)[row->second].Pending = PendingState::None;
        }
    }
    return true;
}

uint32_t OccurrenceAt(LogStore& log, int32_t entry, const LogEntry& record) {
    std::vector<LogEntry> block(static_cast<size_t>(kBlockRecords));
    uint32_t occurrence = 1;
    for (int32_t first = 1; first < entry; first += kBlockRecords) {
        int32_t wanted = entry - first < kBlockRecords ? entry - first : kBlockRecords;
        int32_t got = 0;
        if (!ReadEntries(log, first, wanted, block.data(), &got) || got != wanted) return 0;
        for (int32_t i = 0; i < got; ++i) {
            if (SameRecord(block[static_cast<size_t>(i)], record)) ++occurrence;
        }
    }
    return occurrence;
}
