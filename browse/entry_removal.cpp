#include "browse/entry_removal.h"

#include "logstore/log_change.h"

int32_t ChooseEntryToDelete(PageState& page) {
    int32_t entry = ChosenEntry(page);
    if (entry > 0) page.CurrentEntryNumber = entry;
    return entry;
}

bool DeleteCurrentEntry(LogStore& log, PageState& page, ReportRegister& reg) {
    const int32_t before = log.EntryCount;
    const int32_t entry = page.CurrentEntryNumber;
    LogEntry record{};
    int32_t got = 0;
    // An entry that cannot be read is not in the register's way: RemoveEntry says why it fails.
    bool known = ReadEntries(log, entry, 1, &record, &got) && got == 1;
    RegisterChange change;
    if (known && !PrepareRemoval(reg, entry, record, before, &change)) return FailWith(log, LogError::RegisterFailed);
    bool removed = RemoveEntry(log, entry);
    if (!removed) RecountEntries(log);  // keeps LastError
    if (known) FinishChange(reg, log, change, log.EntryCount == before - 1);
    if (log.EntryCount == before - 1) {
        // The entry is gone even when a later step (the flush) failed.
        AdjustPageAfterRemoval(page, entry, log.EntryCount);
    } else {
        FitPageToCount(page, log.EntryCount);
        page.SelectedLine = 0;
    }
    return removed;
}

const char* DeleteFailedHeading(LogError error) {
    switch (error) {
        case LogError::NotOpen:
        case LogError::ReadOnly:
        case LogError::BadNumber:
        case LogError::JournalFailed:
        case LogError::RegisterFailed: return "The entry could not be deleted. The log is unchanged.";
        default: return "The entry could not be deleted completely.";
    }
}
