#include "reports/register.h"

#include "reports/register_keys.h"

ReportRegister Register;

namespace {

bool WriteRegister(ReportRegister& reg) {
    if (reg.Unreadable || reg.LogPath.empty()) return false;
    return ReplaceRegisterFile(RegisterPath(reg.LogPath), RegisterTemporaryPath(reg.LogPath), reg.Change, reg.Rows,
                               &reg.FileBytes);
}

bool HasPending(const ReportRegister& reg) {
    if (reg.Change.Active) return true;
    for (const RegisterRow& row : reg.Rows) {
        if (row.Pending != PendingState::None) return true;
    }
    return false;
}

void ApplyPending(ReportRegister& reg, const RegisterChange& change) {
    std::vector<RegisterRow> kept;
    kept.reserve(reg.Rows.size());
    for (RegisterRow& row : reg.Rows) {
        if (row.Pending == PendingState::Removed) continue;
        if (row.Pending == PendingState::Moved) row.Key = row.PendingKey;
        row.Pending = PendingState::None;
        if (change.Removal && row.Entry > change.Entry) --row.Entry;
        kept.push_back(std::move(row));
    }
    reg.Rows = std::move(kept);
    reg.Change = PendingChange();
}

void ClearPending(ReportRegister& reg) {
    for (RegisterRow& row : reg.Rows) row.Pending = PendingState::None;
    reg.Change = PendingChange();
}

void MovePending(RegisterRow& row, const RegisterKey& key) {
    if (SameKey(key, row.Key)) return;
    row.Pending = PendingState::Moved;
    row.PendingKey = key;
}

// Writes the pending keys set on the rows; on failure they are cleared again.
bool Announce(ReportRegister& reg, bool any, int64_t before, int64_t after, RegisterChange* change) {
    if (!any) return true;
    reg.Change = PendingChange{true, before, after};
    if (!WriteRegister(reg)) {
        ClearPending(reg);
        return false;
    }
    change->Announced = true;
    return true;
}

}  // namespace

void OpenRegister(ReportRegister& reg, LogStore& log) {
    reg = ReportRegister();
    reg.LogPath = log.OpenPath;
    if (reg.LogPath.empty()) return;
    RegisterContent content;
    std::string why;
    std::string path = RegisterPath(reg.LogPath);
    if (ReadRegisterFile(path, &content, &why) == RegisterRead::Unreadable) {
        reg.Unreadable = reg.UnreadableToSay = true;
        reg.UnreadableWhy = why;
        return;
    }
    reg.Rows = std::move(content.Rows);
    reg.Change = content.Change;
    bool pending = HasPending(reg);
    ResolveRows(log, reg.Change, &reg.Rows);
    reg.Change = PendingChange();
    if (pending) WriteRegister(reg);  // a failure leaves the pending file, which the next opening resolves again
}

void CloseRegister(ReportRegister& reg) { reg = ReportRegister(); }

bool TakeRegisterMessage(ReportRegister& reg, std::string* text) {
    if (!reg.UnreadableToSay) return false;
    reg.UnreadableToSay = false;
    *text = "The report register " + RegisterPath(reg.LogPath) + " cannot be read: " + reg.UnreadableWhy +
            ".\r\n\r\nIt is kept as it is and will not be changed. Reports sent and replies cannot be shown or "
            "recorded for this log.";
    return true;
}

const RegisterRow* RowOfEntry(const ReportRegister& reg, int32_t entry) {
    if (entry <= 0) return nullptr;
    for (const RegisterRow& row : reg.Rows) {
        if (row.Entry == entry) return &row;
    }
    return nullptr;
}

bool StoreRow(ReportRegister& reg, LogStore& log, int32_t entry, const RegisterRow& values) {
    if (reg.Unreadable || entry < 1 || entry > log.EntryCount) return false;
    LogEntry record{};
    int32_t got = 0;
    if (!ReadEntries(log, entry, 1, &record, &got) || got != 1) return false;
    size_t at = 0;
    while (at < reg.Rows.size() && reg.Rows[at].Entry != entry) ++at;
    bool existed = at < reg.Rows.size();
    RegisterRow old = existed ? reg.Rows[at] : RegisterRow();
    if (RowIsEmpty(values)) {
        if (!existed) return true;
        reg.Rows.erase(reg.Rows.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        RegisterRow row = values;
        row.Key.Record = record;
        // A row already on the entry knows its key: only a new one counts the records before it.
        bool known = existed && SameRecord(old.Key.Record, record);
        row.Key.Occurrence = known ? old.Key.Occurrence : OccurrenceAt(log, entry, record);
        if (row.Key.Occurrence == 0) return false;
        row.Pending = PendingState::None;
        row.Entry = entry;
        if (existed && SameRowValues(old, row)) return true;
        if (existed) {
            reg.Rows[at] = row;
        } else {
            reg.Rows.push_back(row);
        }
    }
    if (WriteRegister(reg)) return true;
    // As before: the old row back in its place, or the new one gone.
    if (!existed) {
        reg.Rows.pop_back();
    } else if (RowIsEmpty(values)) {
        reg.Rows.insert(reg.Rows.begin() + static_cast<std::ptrdiff_t>(at), old);
    } else {
        reg.Rows[at] = old;
    }
    return false;
}

bool StoreNewRows(ReportRegister& reg, LogStore& log, std::vector<RegisterRow> rows) {
    if (reg.Unreadable) return false;
    std::vector<RegisterRow> kept;
    for (RegisterRow& row : rows) {
        if (!RowIsEmpty(row)) kept.push_back(std::move(row));
    }
    if (kept.empty()) return true;
    if (!KeyRowsByEntry(log, &kept)) return false;
    size_t before = reg.Rows.size();
    reg.Rows.insert(reg.Rows.end(), kept.begin(), kept.end());
    if (WriteRegister(reg)) return true;
    reg.Rows.resize(before);
    return false;
}

bool PrepareRemoval(ReportRegister& reg, int32_t entry, const LogEntry& removed, int32_t entryCount,
                    RegisterChange* change) {
    *change = RegisterChange();
    change->Removal = true;
    change->Entry = entry;
    if (reg.Unreadable) return true;
    bool any = false;
    for (RegisterRow& row : reg.Rows) {
        if (row.Entry == entry) {
            row.Pending = PendingState::Removed;
            any = true;
        } else if (row.Entry > entry && SameRecord(row.Key.Record, removed) && row.Key.Occurrence > 1) {
            MovePending(row, RegisterKey{row.Key.Record, row.Key.Occurrence - 1});
            any = true;
        }
    }
    return Announce(reg, any, entryCount, entryCount - 1, change);
}

bool PrepareEdit(ReportRegister& reg, LogStore& log, int32_t entry, const LogEntry& before, const LogEntry& edited,
                 RegisterChange* change) {
    *change = RegisterChange();
    change->Entry = entry;
    if (reg.Unreadable || SameRecord(before, edited)) return true;
    bool any = false;
    uint32_t occurrence = 0;  // of `edited` at `entry`, counted only when a row is on it
    for (RegisterRow& row : reg.Rows) {
        if (row.Entry == entry) {
            if (occurrence == 0) occurrence = OccurrenceAt(log, entry, edited);
            if (occurrence == 0) return false;
            MovePending(row, RegisterKey{edited, occurrence});
        } else if (row.Entry > entry && SameRecord(row.Key.Record, before) && row.Key.Occurrence > 1) {
            MovePending(row, RegisterKey{before, row.Key.Occurrence - 1});
        } else if (row.Entry > entry && SameRecord(row.Key.Record, edited)) {
            MovePending(row, RegisterKey{edited, row.Key.Occurrence + 1});
        } else {
            continue;
        }
        any = true;
    }
    return Announce(reg, any, log.EntryCount, log.EntryCount, change);
}

void FinishChange(ReportRegister& reg, LogStore& log, const RegisterChange& change, bool made) {
    if (reg.Unreadable || reg.LogPath.empty()) return;
    if (made) {
        bool write = change.Announced;
        ApplyPending(reg, change);
        if (write) WriteRegister(reg);  // a failure leaves the pending file, which the next opening resolves
        return;
    }
    OpenRegister(reg, log);
}

std::string RegisterWriteFailure(const ReportRegister& reg) {
    if (reg.Unreadable) {
        return "The report register " + RegisterPath(reg.LogPath) + " cannot be read, so it is not changed.";
    }
    return "The report register " + RegisterPath(reg.LogPath) +
           " could not be written (a read-only or full disk?). It is as it was.";
}
