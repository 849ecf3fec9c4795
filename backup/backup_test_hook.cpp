#include "backup/backup_test_hook.h"

#ifdef ULMAR_TEST_HOOKS
#include "platform/file.h"

BackupTestHook BackupHookForTest;

void SpoilCopyForTest(const std::string& tempPath) {
    if (!BackupHookForTest.SpoilCopy) return;
    PlatformFile file;
    if (!FileOpen(tempPath.c_str(), FileAccess::ReadWrite, &file)) return;
    unsigned char byte = 0;
    size_t got = 0;
    FileReadAt(file, BackupHookForTest.Offset, &byte, 1, &got);
    byte = static_cast<unsigned char>(~byte);
    FileWriteAt(file, BackupHookForTest.Offset, &byte, 1);
    FileFlush(file);
    FileClose(&file);
}

bool HardLinkRefusedForTest() { return BackupHookForTest.RefuseHardLink; }
#endif
