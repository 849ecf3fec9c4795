#include "backup/verified_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "backup/backup_test_hook.h"
#include "platform/file.h"
#include "platform/sector_rule.h"

namespace {

constexpr size_t kChunk = size_t{8} << 20;  // a whole number of sectors of any size in use

struct OpenFiles {
    PlatformFile Log;
    PlatformFile Copy;
    ~OpenFiles() {
        FileClose(&Log);
        FileClose(&Copy);
    }
};

bool WriteCopy(const std::string& logPath, const std::string& tempPath, std::string* reason, CopyProgress progress) {
    OpenFiles files;
    if (!FileOpen(logPath.c_str(), FileAccess::ReadOnly, &files.Log)) {
        *reason = "The log file " + logPath + " could not be read.";
        return false;
    }
    if (!FileOpen(tempPath.c_str(), FileAccess::CreateTruncate, &files.Copy)) {
        *reason = "The copy " + tempPath + " could not be made. The drive may be missing or write-protected.";
        return false;
    }
    std::vector<char> chunk(kChunk);
    int64_t size = 0;
    if (!FileSize(files.Log, &size)) size = 0;
    for (int64_t offset = 0;;) {
        size_t got = 0;
        if (!FileReadAt(files.Log, offset, chunk.data(), chunk.size(), &got)) {
            *reason = "The log file " + logPath + " could not be read.";
            return false;
        }
        if (got == 0) break;
        if (!FileWriteAt(files.Copy, offset, chunk.data(), got)) {
            *reason = "The copy " + tempPath + " could not be written. The drive may be full.";
            return false;
        }
        offset += static_cast<int64_t>(got);
        if (progress) progress(std::min(offset, size), 2 * size);
    }
    if (!FileFlush(files.Copy)) {
        *reason = "The copy " + tempPath + " could not be written to the drive.";
        return false;
    }
    return true;
}

// Reads the copy in whole sectors past the cache (or through it, when the
// volume's sector size cannot be trusted) and compares it with the log.
bool CopyMatchesLog(const std::string& logPath, const std::string& tempPath, std::string* reason,
                    CopyProgress progress) {
    uint32_t alignment = UnbufferedAlignment(FileSectorSize(tempPath.c_str()));
    OpenFiles files;
    FileAccess access = alignment != 0 ? FileAccess::ReadUnbuffered : FileAccess::ReadOnly;
    if (!FileOpen(logPath.c_str(), FileAccess::ReadOnly, &files.Log) ||
        !FileOpen(tempPath.c_str(), access, &files.Copy)) {
        *reason = "The copy " + tempPath + " could not be read back to check it.";
        return false;
    }
    AlignedBuffer copied = MakeAlignedBuffer(UnbufferedChunk(kChunk, alignment), alignment);
    std::vector<char> original(copied.Size);
    int64_t size = 0;
    if (!FileSize(files.Log, &size)) size = 0;
    for (int64_t offset = 0;; offset += static_cast<int64_t>(copied.Size)) {
        size_t gotCopy = 0, gotLog = 0;
        bool read = alignment != 0 ? FileReadSectors(files.Copy, offset, copied.Data, copied.Size, alignment, &gotCopy)
                                   : FileReadAt(files.Copy, offset, copied.Data, copied.Size, &gotCopy);
        if (!read || !FileReadAt(files.Log, offset, original.data(), original.size(), &gotLog)) {
            *reason = "The copy " + tempPath + " could not be read back to check it.";
            return false;
        }
        if (gotCopy != gotLog || std::memcmp(copied.Data, original.data(), gotLog) != 0) {
            *reason = "The copy read back from the drive is not the same as the log. The drive may be failing.";
            return false;
        }
        if (progress) progress(size + std::min(size, offset + static_cast<int64_t>(gotLog)), 2 * size);
        if (gotLog < copied.Size) return true;
    }
}

}  // namespace

bool MakeCheckedTemp(const std::string& logPath, const std::string& tempPath, std::string* reason,
                     CopyProgress progress) {
    FileDelete(tempPath.c_str());  // a copy left by a killed run is never used
    bool ok = WriteCopy(logPath, tempPath, reason, progress);
    if (ok) SpoilCopyForTest(tempPath);
    ok = ok && CopyMatchesLog(logPath, tempPath, reason, progress);
    if (!ok) FileDelete(tempPath.c_str());
    return ok;
}

bool ReplaceWithCheckedTemp(const std::string& tempPath, const std::string& targetPath, std::string* reason) {
    if (FileReplace(tempPath.c_str(), targetPath.c_str())) return true;
    *reason =
        "The checked copy could not take the place of " + targetPath + ". The file may be in use by another program.";
    FileDelete(tempPath.c_str());
    return false;
}

bool MakeVerifiedCopy(const std::string& logPath, const std::string& tempPath, const std::string& targetPath,
                      std::string* reason, CopyProgress progress) {
    return MakeCheckedTemp(logPath, tempPath, reason, progress) && ReplaceWithCheckedTemp(tempPath, targetPath, reason);
}
