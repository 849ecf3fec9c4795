// A test-only fault for the backup: one byte of the temporary copy changed
// after it is written and flushed, before it is read back, so tests can prove
// that the comparison catches a bad copy; and a volume that refuses hard
// links, so tests reach the fallback of a second verified copy.
//
// It exists only in builds compiled with ULMAR_TEST_HOOKS: the library
// ulmar_backup_testhooks, linked into the unit tests and into a separate test
// build of the program for the end-to-end suite. The program users run is
// linked with ulmar_backup, where SpoilCopyForTest does nothing and nothing can
// switch it on: no window, setting, file or environment variable reaches it.
// The test build's entry point is the only place that sets it, from its own
// command line (the end-to-end driver starts that build for the one scenario
// that needs it); the program users run reads no command line at all.
#pragma once
#include <cstdint>
#include <string>

#ifdef ULMAR_TEST_HOOKS
struct BackupTestHook {
    bool SpoilCopy = false;
    int64_t Offset = 0;           // the byte changed (inverted); past the end: the copy gains a byte
    bool RefuseHardLink = false;  // the volume keeps no hard links, as FAT
};
extern BackupTestHook BackupHookForTest;
void SpoilCopyForTest(const std::string& tempPath);
bool HardLinkRefusedForTest();
#else
inline void SpoilCopyForTest(const std::string&) {}
inline bool HardLinkRefusedForTest() { return false; }
#endif
