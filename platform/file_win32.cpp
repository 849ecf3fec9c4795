// Win32 file layer: every file is opened without sharing.
#include "platform/file.h"

#include <windows.h>

#include "platform/sector_rule.h"

static HANDLE AsHandle(PlatformFile file) { return reinterpret_cast<HANDLE>(file.Handle); }

bool FileOpen(const char* path, FileAccess access, PlatformFile* file) {
    DWORD desired = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if (access == FileAccess::ReadWrite) {
        desired = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
    } else if (access == FileAccess::CreateTruncate) {
        desired = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
    }
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (access == FileAccess::ReadUnbuffered) flags |= FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN;
    HANDLE h = CreateFileA(path, desired, 0, nullptr, disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    file->Handle = reinterpret_cast<intptr_t>(h);
    return true;
}

void FileClose(PlatformFile* file) {
    if (!file->IsOpen()) return;
    CloseHandle(AsHandle(*file));
    file->Handle = -1;
}

static bool Seek(PlatformFile file, int64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(AsHandle(file), to, nullptr, FILE_BEGIN) != 0;
}

bool FileReadAt(PlatformFile file, int64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    if (!Seek(file, offset)) return false;
    char* out = static_cast<char*>(buffer);
    while (*got < size) {
        DWORD want = static_cast<DWORD>(size - *got > 0x40000000 ? 0x40000000 : size - *got);
        DWORD n = 0;
        if (!ReadFile(AsHandle(file), out + *got, want, &n, nullptr)) return false;
        if (n == 0) break;
        *got += n;
    }
    return true;
}

bool FileWriteAt(PlatformFile file, int64_t offset, const void* buffer, size_t size) {
    if (!Seek(file, offset)) return false;
    const char* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < size) {
        DWORD want = static_cast<DWORD>(size - done > 0x40000000 ? 0x40000000 : size - done);
        DWORD n = 0;
        if (!WriteFile(AsHandle(file), in + done, want, &n, nullptr) || n == 0) return false;
        done += n;
    }
    return true;
}

bool FileSize(PlatformFile file, int64_t* size) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(AsHandle(file), &length)) return false;
    *size = length.QuadPart;
    return true;
}

bool FileTruncate(PlatformFile file, int64_t length) { return Seek(file, length) && SetEndOfFile(AsHandle(file)) != 0; }

bool FileFlush(PlatformFile file) { return FlushFileBuffers(AsHandle(file)) != 0; }

bool FileDelete(const char* path) { return DeleteFileA(path) != 0; }

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool FileIsSameAs(PlatformFile file, const char* path) {
    BY_HANDLE_FILE_INFORMATION open, named;
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(file.Handle), &open)) return false;
    // No data access is asked for, so a file held without sharing (the open log) can still be named.
    HANDLE other = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(other, &named) != 0;
    CloseHandle(other);
    return known && open.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           open.nFileIndexHigh == named.nFileIndexHigh && open.nFileIndexLow == named.nFileIndexLow;
}

bool FileCopy(const char* from, const char* to) { return CopyFileA(from, to, FALSE) != 0; }

bool FileReplace(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileHardLink(const char* existing, const char* link) { return CreateHardLinkA(link, existing, nullptr) != 0; }

uint32_t FileSectorSize(const char* path) {
    char full[MAX_PATH];
    char root[MAX_PATH];
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH || !GetVolumePathNameA(full, root, MAX_PATH)) return 0;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return 0;
    return bytesPerSector;
}

bool FileReadSectors(PlatformFile file, int64_t offset, void* buffer, size_t size, uint32_t alignment, size_t* got) {
    *got = 0;
    if (!FollowsSectorRule(buffer, offset, size, alignment) || size > 0x40000000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!Seek(file, offset)) return false;
    DWORD n = 0;
    if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(size), &n, nullptr)) return false;
    *got = n;
    return true;
}

bool FolderCreate(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderList(const char* path, std::vector<std::string>* names) {
    names->clear();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(path) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names->push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}
