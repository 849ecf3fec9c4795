#include "platform/file.h"

bool FileReadAll(const char* path, std::string* bytes, size_t limit) {
    PlatformFile file;
    if (!FileOpen(path, FileAccess::ReadOnly, &file)) return false;
    bytes->clear();
    char chunk[65536];
    int64_t offset = 0;
    bool ok = true;
    while (bytes->size() < limit) {
        size_t want = sizeof chunk;
        if (limit - bytes->size() < want) want = limit - bytes->size();
        size_t got = 0;
        if (!FileReadAt(file, offset, chunk, want, &got)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes->append(chunk, got);
        offset += static_cast<int64_t>(got);
    }
    FileClose(&file);
    return ok;
}

size_t FileNameStart(const std::string& path) {
    size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string FolderOfPath(const std::string& path) {
    size_t start = FileNameStart(path);
    if (start == 0) return ".";
    if (path[start - 1] == ':') return path.substr(0, start);
    return start == 1 ? path.substr(0, 1) : path.substr(0, start - 1);
}

bool FileWriteAllReplacing(const char* path, const char* temporary, const std::string& bytes) {
    PlatformFile file;
    if (!FileOpen(temporary, FileAccess::CreateTruncate, &file)) return false;
    bool written = FileWriteAt(file, 0, bytes.data(), bytes.size()) && FileFlush(file);
    FileClose(&file);
    if (written && FileReplace(temporary, path)) return true;
    FileDelete(temporary);
    return false;
}
