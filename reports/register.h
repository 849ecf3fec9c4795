// The open log's report register: its rows with the entries they are on, kept
// in step with every change ULMAR makes to the log. Before the log changes,
// the rows' new keys are written to the register as pending, flushed; after
// the change they are folded in. So a kill or a power cut between the two
// files leaves keys the next opening resolves (register_keys.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "logstore/log_store.h"
#include "reports/register_file.h"

struct ReportRegister {
    std::string LogPath;  // the log the register belongs to; empty when none is open
    std::vector<RegisterRow> Rows;
    PendingChange Change;     // announced and not yet folded in
    bool Unreadable = false;  // the file could not be read: it is kept as it is and never written
    std::string UnreadableWhy;
    bool UnreadableToSay = false;  // not yet told to the listener
    std::string FileBytes;         // the last encoding written, its memory reused by the next
};

// The register of the program's one log.
extern ReportRegister Register;

// Reads the register beside the open log (log.OpenPath) and resolves its rows
// against the log; a pending change left by a killed run is folded in and
// written. A register that cannot be read leaves Unreadable set (and
// UnreadableToSay) and no rows. No file at all is an empty register.
void OpenRegister(ReportRegister& reg, LogStore& log);
void CloseRegister(ReportRegister& reg);
// The text for the box, once per opening: true and the text when there is one.
bool TakeRegisterMessage(ReportRegister& reg, std::string* text);

// The first row on entry `entry`, nullptr when none.
const RegisterRow* RowOfEntry(const ReportRegister& reg, int32_t entry);
// Stores `values` (texts and dates; key and Entry ignored) as the row of entry
// `entry`: added, replaced, or removed when it holds nothing. The file is
// replaced in one flushed step; when that fails the rows are as before.
bool StoreRow(ReportRegister& reg, LogStore& log, int32_t entry, const RegisterRow& values);

// Adds `rows` (their Entry set; entries without a row yet, such as those an
// import appended) in one replacement of the file, keyed with one read of the
// log. Empty rows are passed over. When the file cannot be written the rows are as before.
bool StoreNewRows(ReportRegister& reg, LogStore& log, std::vector<RegisterRow> rows);

// What a change of the log announced to the register.
struct RegisterChange {
    bool Announced = false;  // the register file was written with pending keys
    bool Removal = false;
    int32_t Entry = 0;
};

// Call before removing entry `entry`, whose record is `removed`, from the log.
// False when the pending keys could not be written: the log must not change.
bool PrepareRemoval(ReportRegister& reg, int32_t entry, const LogEntry& removed, int32_t entryCount,
                    RegisterChange* change);
// Call before writing `edited` over entry `entry`, whose record is `before`.
bool PrepareEdit(ReportRegister& reg, LogStore& log, int32_t entry, const LogEntry& before, const LogEntry& edited,
                 RegisterChange* change);
// Call after the change: `made` says whether the log holds it. A change made
// folds the pending keys in (and writes them); one not made, or not known to
// be made, reads the register again and resolves it against the log as it is.
void FinishChange(ReportRegister& reg, LogStore& log, const RegisterChange& change, bool made);

// "The report register <path> cannot be written ..." when a store or an
// announcement failed.
std::string RegisterWriteFailure(const ReportRegister& reg);
