#include "backup/backup.h"

#include <vector>

#include "backup/backup_test_hook.h"
#include "backup/verified_copy.h"
#include "platform/file.h"
#include "reports/register_file.h"

namespace {

BackupResult Failed(BackupResult result, const std::string& reason) {
    result.Ok = false;
    result.Reason = reason;
    return result;
}

// The next generation's path in the folder; leaves the generations found
// before in `*existing`.
bool NextGeneration(const BackupRequest& request, std::string* path, std::vector<Generation>* existing,
                    std::string* reason) {
    std::string folder = GenerationFolder(request.Drive);
    std::vector<std::string> names;
    bool made = FolderCreate(folder.c_str());
    if (made) FolderFlush(DriveFolder(request.Drive).c_str());  // the folder's own entry
    if (!made || !FolderList(folder.c_str(), &names)) {
        *reason = "The folder " + folder + " could not be made or read on the backup drive.";
        return false;
    }
    FileDelete(InFolder(folder, kBackupTempName).c_str());  // left by a killed run, never a generation
    std::string logName = LogFileName(request.LogPath);
    *existing = GenerationsOf(names, logName);
    int64_t sequence = existing->empty() ? 1 : existing->front().Sequence + 1;
    *path = InFolder(folder, GenerationFileName(logName, sequence, request.Now));
    return true;
}

// The generation shares the checked temporary copy's bytes through a second
// name: neither name is ever written in place, only replaced by a rename, so
// sharing is safe and saves a copy and its check. A volume without hard links
// (FAT) gets a second verified copy through the folder's own temporary file.
bool MakeGeneration(const BackupRequest& request, const std::string& checkedTemp, BackupResult* result,
                    std::vector<Generation>* existing) {
    std::string path;
    if (!NextGeneration(request, &path, existing, &result->Reason)) return false;
    bool linked = !HardLinkRefusedForTest() && FileHardLink(checkedTemp.c_str(), path.c_str());
    // A new name is on the disk only once its folder is flushed.
    if (linked) FolderFlush(GenerationFolder(request.Drive).c_str());
    if (!linked && !MakeVerifiedCopy(request.LogPath, InFolder(GenerationFolder(request.Drive), kBackupTempName), path,
                                     &result->Reason, request.Progress)) {
        return false;
    }
    result->Generation = path;
    return true;
}

// Keeps the newest `keep` generations counting the new one; removes the rest.
int RemoveOlderGenerations(const std::string& drive, const std::vector<Generation>& before, int keep) {
    int removed = 0;
    for (size_t i = static_cast<size_t>(keep - 1); i < before.size(); ++i) {
        std::string path = InFolder(GenerationFolder(drive), before[i].FileName);
        FileDelete(RegisterPath(path).c_str());
        if (FileDelete(path.c_str())) ++removed;
    }
    if (removed > 0) FolderFlush(GenerationFolder(drive).c_str());
    return removed;
}

// The log's report register goes with it, verified the same way, into the new
// generation and beside D:NAME; a stale one there is removed when the log has none.
bool BackUpRegister(const BackupRequest& request, const BackupResult& result, std::string* reason) {
    std::string source = RegisterPath(request.LogPath);
    std::string target = RegisterPath(result.Target);
    if (!FileExists(source.c_str())) return !FileExists(target.c_str()) || FileDelete(target.c_str());
    if (!result.Generation.empty() &&
        !MakeVerifiedCopy(source, InFolder(GenerationFolder(request.Drive), kBackupTempName),
                          RegisterPath(result.Generation), reason)) {
        return false;
    }
    return MakeVerifiedCopy(source, InFolder(DriveFolder(request.Drive), kBackupTempName), target, reason);
}

}  // namespace

BackupResult BackUpLogSafely(const BackupRequest& request) {
    BackupResult result;
    std::string logName = LogFileName(request.LogPath);
    result.Target = InFolder(DriveFolder(request.Drive), logName);
    if (request.Drive.empty() || logName.empty()) return Failed(result, "No backup drive or no log is set.");
    int keep = request.Generations;
    if (keep < 0 || keep > kMaxBackupGenerations) keep = kDefaultBackupGenerations;
    std::string temp = InFolder(DriveFolder(request.Drive), kBackupTempName);
    if (!MakeCheckedTemp(request.LogPath, temp, &result.Reason, request.Progress)) return Failed(result, result.Reason);
    std::vector<Generation> before;
    if (keep > 0 && !MakeGeneration(request, temp, &result, &before)) {
        FileDelete(temp.c_str());
        return Failed(result, result.Reason);
    }
    std::string reason;
    if (!ReplaceWithCheckedTemp(temp, result.Target, &reason)) {
        if (result.Generation.empty()) return Failed(result, reason);
        return Failed(result, reason + "\r\nThe dated copy " + result.Generation + " was made and kept; " +
                                  result.Target + " still holds the earlier copy, and no older copy was removed.");
    }
    if (!BackUpRegister(request, result, &reason)) {
        return Failed(result, "The report register was not backed up. " + reason + "\r\nThe log itself was backed up.");
    }
    if (keep > 0) result.Removed = RemoveOlderGenerations(request.Drive, before, keep);
    result.Ok = true;
    return result;
}

std::string BackupFailureMessage(const BackupResult& result) {
    return std::string(kBackupFailedText) + "\r\n\r\n" + result.Reason;
}
