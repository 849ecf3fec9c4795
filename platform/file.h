// Thin file layer under the log store, the settings file and the export.
// Win32 (CreateFileA, no sharing) in the program, POSIX in the native tests.
// Every call says whether it succeeded; offsets are 64-bit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PlatformFile {
    intptr_t Handle = -1;  // HANDLE on Windows, file descriptor on POSIX
    bool IsOpen() const { return Handle != -1; }
};

enum class FileAccess {
    ReadWrite,       // open or create, read and write, no sharing
    ReadOnly,        // open an existing file for reading, no sharing
    CreateTruncate,  // create or empty, write only, no sharing
    ReadUnbuffered,  // open an existing file for reading past the system's cache where the
                     // system allows; read it only with FileReadSectors
};

// Separates a folder from a name inside it.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

bool FileOpen(const char* path, FileAccess access, PlatformFile* file);
void FileClose(PlatformFile* file);
// Reads up to `size` bytes at `offset`; `*got` is how many arrived (0 at end of file).
bool FileReadAt(PlatformFile file, int64_t offset, void* buffer, size_t size, size_t* got);
// Writes all `size` bytes at `offset`; false when any of them could not be written.
bool FileWriteAt(PlatformFile file, int64_t offset, const void* buffer, size_t size);
bool FileSize(PlatformFile file, int64_t* size);
// Sets the end of the file at `length`.
bool FileTruncate(PlatformFile file, int64_t length);
bool FileFlush(PlatformFile file);
bool FileDelete(const char* path);
bool FileExists(const char* path);
// True when `path` names the very file `file` has open: the same file on the same
// volume, by the system's identity of files, so letter case, "..", links and
// short names cannot make one file look like two. False when `path` names nothing.
bool FileIsSameAs(PlatformFile file, const char* path);
// Copies `from` to `to`, replacing an existing file there.
bool FileCopy(const char* from, const char* to);
// Moves `from` to `to` in one step, replacing a file there, and forces the change
// to the disk: a reader sees either the old `to` or the whole new one.
bool FileReplace(const char* from, const char* to);
// Gives the file `existing` a second name `link` (a new name, on the same
// volume). False where the volume keeps no hard links (FAT) or `link` exists.
bool FileHardLink(const char* existing, const char* link);
// The sector size of the volume holding `path`, 0 when it cannot be learned.
uint32_t FileSectorSize(const char* path);
// One read of a file opened with ReadUnbuffered. `buffer`, `offset` and `size`
// must follow the sector rule for `alignment` (platform/sector_rule.h) or the
// read is refused, as real Windows refuses it. Fewer bytes arrive only at the end.
bool FileReadSectors(PlatformFile file, int64_t offset, void* buffer, size_t size, uint32_t alignment, size_t* got);

// Forces the folder's entries (files made, renamed or deleted in it) to the disk,
// which flushing a file does not. POSIX: fsync of the folder. Windows offers no
// documented way to flush a folder; there it does nothing and says so by
// returning true, and the program relies on MoveFileEx's MOVEFILE_WRITE_THROUGH
// for its renames and on NTFS journaling its metadata for creations and deletions.
bool FolderFlush(const char* path);
// The folder holding `path` (its text before the last separator), "." when none.
std::string FolderOfPath(const std::string& path);

// Creates a folder; true also when it already exists as a folder.
bool FolderCreate(const char* path);
// The names of the plain files in a folder (no sub-folders); false when it cannot be read.
bool FolderList(const char* path, std::vector<std::string>* names);

// Where the file name starts in `path`: just after its last backslash, '/' or ':',
// 0 when it has none. One rule for every path the program takes apart.
size_t FileNameStart(const std::string& path);

// Reads a whole file into `bytes`, at most `limit` bytes; false when it cannot be opened.
bool FileReadAll(const char* path, std::string* bytes, size_t limit);
// Writes `bytes` to `temporary`, flushes it and puts it in place of `path` in
// one step (FileReplace): a kill or a power cut leaves the old file or the
// whole new one. On failure the temporary file is deleted and `path` is untouched.
bool FileWriteAllReplacing(const char* path, const char* temporary, const std::string& bytes);
