// POSIX file layer for the native build. "No sharing" is imitated with an
// exclusive flock, so a second open of a held file is refused as on Windows.
#include "platform/file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/sector_rule.h"

namespace {

constexpr int kLockAttempts = 20;

// O_DIRECT where the file system takes it; elsewhere (tmpfs) the cached pages of
// the flushed file are dropped, so the reads still come from the medium.
int OpenUnbuffered(const char* path) {
#ifdef O_DIRECT
    int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_DIRECT);
    if (fd >= 0 || errno != EINVAL) return fd;
#endif
    int fd2 = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd2 >= 0) ::posix_fadvise(fd2, 0, 0, POSIX_FADV_DONTNEED);
    return fd2;
}

// The exclusive lock of the file's last holder is dropped when its last
// reference goes, which the kernel may finish a moment after that close()
// returned (a deferred final release); a lock found held is asked again for a
// few milliseconds before the file counts as in use.
bool LockExclusive(int fd) {
    for (int attempt = 0;; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK || attempt == kLockAttempts) return false;
        struct timespec pause = {0, 1000000};
        ::nanosleep(&pause, nullptr);
    }
}

std::string FolderOf(const char* path) {
    std::string text = path;
    size_t slash = text.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : text.substr(0, slash);
}

}  // namespace

bool FileOpen(const char* path, FileAccess access, PlatformFile* file) {
    int flags = O_RDONLY;
    if (access == FileAccess::ReadWrite) flags = O_RDWR | O_CREAT;
    if (access == FileAccess::CreateTruncate) flags = O_WRONLY | O_CREAT;
    // A file without write permission stays read-only even for root, as a
    // read-only file does on Windows.
    struct stat before;
    if (access != FileAccess::ReadOnly && ::stat(path, &before) == 0 && (before.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    int fd = access == FileAccess::ReadUnbuffered ? OpenUnbuffered(path) : ::open(path, flags | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || !LockExclusive(fd)) {
        ::close(fd);
        return false;
    }
    if (access == FileAccess::CreateTruncate && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    file->Handle = fd;
    return true;
}

void FileClose(PlatformFile* file) {
    if (!file->IsOpen()) return;
    ::close(static_cast<int>(file->Handle));
    file->Handle = -1;
}

bool FileReadAt(PlatformFile file, int64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    char* out = static_cast<char*>(buffer);
    while (*got < size) {
        ssize_t n = ::pread(static_cast<int>(file.Handle), out + *got, size - *got, offset + *got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        *got += static_cast<size_t>(n);
    }
    return true;
}

bool FileWriteAt(PlatformFile file, int64_t offset, const void* buffer, size_t size) {
    const char* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pwrite(static_cast<int>(file.Handle), in + done, size - done, offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool FileSize(PlatformFile file, int64_t* size) {
    struct stat info;
    if (::fstat(static_cast<int>(file.Handle), &info) != 0) return false;
    *size = info.st_size;
    return true;
}

bool FileTruncate(PlatformFile file, int64_t length) { return ::ftruncate(static_cast<int>(file.Handle), length) == 0; }

bool FileFlush(PlatformFile file) { return ::fsync(static_cast<int>(file.Handle)) == 0; }

bool FileDelete(const char* path) { return ::unlink(path) == 0; }

bool FileIsSameAs(PlatformFile file, const char* path) {
    struct stat opened {
    }, named{};
    if (fstat(static_cast<int>(file.Handle), &opened) != 0 || stat(path, &named) != 0) return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool FileExists(const char* path) {
    struct stat info;
    return ::stat(path, &info) == 0;
}

bool FileCopy(const char* from, const char* to) {
    PlatformFile in, out;
    if (!FileOpen(from, FileAccess::ReadOnly, &in)) return false;
    if (!FileOpen(to, FileAccess::CreateTruncate, &out)) {
        FileClose(&in);
        return false;
    }
    bool ok = true;
    char chunk[65536];
    int64_t offset = 0;
    for (;;) {
        size_t got = 0;
        if (!FileReadAt(in, offset, chunk, sizeof chunk, &got)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        if (!FileWriteAt(out, offset, chunk, got)) {
            ok = false;
            break;
        }
        offset += static_cast<int64_t>(got);
    }
    ok = FileFlush(out) && ok;
    FileClose(&in);
    FileClose(&out);
    return ok;
}

bool FolderFlush(const char* path) {
    int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    bool ok = ::fsync(folder) == 0;
    ::close(folder);
    return ok;
}

bool FileReplace(const char* from, const char* to) {
    if (::rename(from, to) != 0) return false;
    // The rename itself lives in the folder: force it to the disk too.
    return FolderFlush(FolderOf(to).c_str());
}

bool FileHardLink(const char* existing, const char* link) { return ::link(existing, link) == 0; }

uint32_t FileSectorSize(const char* path) {
    struct stat info;
    if (::stat(FolderOf(path).c_str(), &info) != 0 || info.st_blksize <= 0) return 0;
    return static_cast<uint32_t>(info.st_blksize);
}

bool FileReadSectors(PlatformFile file, int64_t offset, void* buffer, size_t size, uint32_t alignment, size_t* got) {
    *got = 0;
    if (!FollowsSectorRule(buffer, offset, size, alignment)) {
        errno = EINVAL;
        return false;
    }
    char* out = static_cast<char*>(buffer);
    while (*got < size) {
        ssize_t n = ::pread(static_cast<int>(file.Handle), out + *got, size - *got, offset + *got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        *got += static_cast<size_t>(n);
        if (n == 0 || *got % alignment != 0) break;  // the end of the file
    }
    return true;
}

bool FolderCreate(const char* path) {
    if (::mkdir(path, 0755) == 0) return true;
    struct stat info;
    return errno == EEXIST && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool FolderList(const char* path, std::vector<std::string>* names) {
    names->clear();
    DIR* folder = ::opendir(path);
    if (!folder) return false;
    std::string prefix = std::string(path) + "/";
    while (struct dirent* item = ::readdir(folder)) {
        struct stat info;
        if (::stat((prefix + item->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            names->push_back(item->d_name);
        }
    }
    ::closedir(folder);
    return true;
}
