// Progress of one long step loop run on the window thread: a deletion, the
// backup at exit, an import. Between its steps the loop calls StepProgress,
// which answers the waiting messages, so every window stays painted and the
// system never marks the program as not responding. Input (keys, mouse) is
// dropped until EndProgress, so nothing reaches another window mid-change.
// Work that ends within about a second shows nothing; longer work shows a small
// window with the title, a bar and "<done> of <total> <what>".
//
//   BeginProgress(window, "Deleting an entry", "records moved", total);
//   for (...) { ...one step...; StepProgress(done); }
//   EndProgress();
#pragma once
#include <windows.h>

#include <cstdint>

// `owner` (may be null) is disabled until EndProgress. Only one progress runs at a time.
void BeginProgress(HWND owner, const char* title, const char* what, int64_t total);
// `done` of the total are done (clamped to it). Call it at least every tenth of a second.
void StepProgress(int64_t done);
// The same with the total given again, for cores that report both (log_store.h, backup.h).
void StepProgressOf(int64_t done, int64_t total);
// Closes the window, enables the owner again and hands on a quit that arrived meanwhile.
void EndProgress();
// Only the test build of the program calls it (its "--progress-at-once"): the
// window shows from the first step, so a scenario sees it on any machine.
void ShowProgressAtOnceForTest();
// The progress window while it is shown, else null (for the tests' driver).
HWND ProgressWindow();
