#include "app/backup_copy.h"

#include "platform/file.h"

std::string BackupTarget(const std::string& drive, const std::string& logPath) {
    return drive + ":" + logPath.substr(FileNameStart(logPath));
}

bool CopyLogToBackup(LogStore& log, const std::string& logPath, const std::string& drive) {
    std::string target = BackupTarget(drive, logPath);
    CloseLog(log);  // the log is held without sharing; the copy must be able to read it
    return FileCopy(logPath.c_str(), target.c_str());
}
