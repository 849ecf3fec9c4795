#include "tests/powerloss/simulated_disk.h"

#include <algorithm>
#include <cstring>

#include "platform/file.h"

SimulatedDisk Disk;

namespace {

// A path as the disk keys it: '/' between folders, no leading "./".
std::string NameOf(const char* path) {
    std::string text = path;
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    while (text.compare(0, 2, "./") == 0) text.erase(0, 2);
    return text;
}

std::string FolderKey(const char* path) {
    std::string folder = NameOf(path);
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder == "." ? std::string() : folder;
}

void Note(const DiskOp& op) {
    if (Disk.Recording) Disk.Ops.push_back(op);
}

int FileOf(PlatformFile file) {
    auto found = Disk.Handles.find(file.Handle);
    return found == Disk.Handles.end() ? -1 : found->second;
}

bool IsHeld(int inode) {
    return std::any_of(Disk.Handles.begin(), Disk.Handles.end(), [&](const auto& h) { return h.second == inode; });
}

int CreateFile(const std::string& name) {
    int inode = Disk.NextInode++;
    Disk.Names[name] = inode;
    Disk.Contents[inode] = "";
    DiskOp op;
    op.Kind = DiskOpKind::Create;
    op.Inode = inode;
    op.Name = name;
    Note(op);
    return inode;
}

void SetLength(int inode, int64_t length) {
    Disk.Contents[inode].resize(static_cast<size_t>(length), '\0');
    DiskOp op;
    op.Kind = DiskOpKind::SetLength;
    op.Inode = inode;
    op.Offset = length;
    Note(op);
}

}  // namespace

void ResetDisk(const DiskFiles& files) {
    Disk = SimulatedDisk();
    for (const auto& file : files) {
        Disk.Names[file.first] = Disk.NextInode;
        Disk.Contents[Disk.NextInode++] = file.second;
    }
}

void StartRecording() {
    Disk.Ops.clear();
    Disk.StartNames = Disk.Names;
    Disk.StartContents = Disk.Contents;
    Disk.Recording = true;
}

void StopRecording() { Disk.Recording = false; }

DiskFiles CurrentFiles() {
    DiskFiles files;
    for (const auto& name : Disk.Names) files[name.first] = Disk.Contents[name.second];
    return files;
}

std::string FileBytes(const std::string& name) {
    auto found = Disk.Names.find(name);
    return found == Disk.Names.end() ? std::string() : Disk.Contents[found->second];
}

bool FileOpen(const char* path, FileAccess access, PlatformFile* file) {
    std::string name = NameOf(path);
    auto found = Disk.Names.find(name);
    bool writes = access == FileAccess::ReadWrite || access == FileAccess::CreateTruncate;
    if (found == Disk.Names.end() && !writes) return false;
    if (found != Disk.Names.end() && IsHeld(found->second)) return false;  // no sharing
    int inode = found == Disk.Names.end() ? CreateFile(name) : found->second;
    if (access == FileAccess::CreateTruncate && !Disk.Contents[inode].empty()) SetLength(inode, 0);
    file->Handle = Disk.NextHandle++;
    Disk.Handles[file->Handle] = inode;
    Disk.HandleWrites[file->Handle] = writes;
    return true;
}

void FileClose(PlatformFile* file) {
    Disk.Handles.erase(file->Handle);
    Disk.HandleWrites.erase(file->Handle);
    file->Handle = -1;
}

bool FileReadAt(PlatformFile file, int64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    int inode = FileOf(file);
    if (inode < 0 || offset < 0) return false;
    const std::string& bytes = Disk.Contents[inode];
    if (static_cast<size_t>(offset) >= bytes.size()) return true;
    *got = std::min(size, bytes.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes.data() + offset, *got);
    return true;
}

bool FileWriteAt(PlatformFile file, int64_t offset, const void* buffer, size_t size) {
    int inode = FileOf(file);
    if (inode < 0 || offset < 0 || !Disk.HandleWrites[file.Handle]) return false;
    std::string& bytes = Disk.Contents[inode];
    if (bytes.size() < static_cast<size_t>(offset) + size) bytes.resize(static_cast<size_t>(offset) + size, '\0');
    std::memcpy(&bytes[static_cast<size_t>(offset)], buffer, size);
    DiskOp op;
    op.Kind = DiskOpKind::Write;
    op.Inode = inode;
    op.Offset = offset;
    op.Bytes.assign(static_cast<const char*>(buffer), size);
    Note(op);
    return true;
}

bool FileSize(PlatformFile file, int64_t* size) {
    int inode = FileOf(file);
    if (inode < 0) return false;
    *size = static_cast<int64_t>(Disk.Contents[inode].size());
    return true;
}

bool FileTruncate(PlatformFile file, int64_t length) {
    int inode = FileOf(file);
    if (inode < 0 || length < 0 || !Disk.HandleWrites[file.Handle]) return false;
    SetLength(inode, length);
    return true;
}

bool FileFlush(PlatformFile file) {
    int inode = FileOf(file);
    if (inode < 0) return false;
    DiskOp op;
    op.Kind = DiskOpKind::Flush;
    op.Inode = inode;
    Note(op);
    return true;
}

std::string FolderOfName(const std::string& name) { return FolderKey(name.substr(0, FileNameStart(name)).c_str()); }

bool FolderFlush(const char* path) {
    DiskOp op;
    op.Kind = DiskOpKind::FolderFlush;
    op.Name = FolderKey(path);
    Note(op);
    return true;
}

bool FileDelete(const char* path) {
    std::string name = NameOf(path);
    auto found = Disk.Names.find(name);
    if (found == Disk.Names.end() || IsHeld(found->second)) return false;
    Disk.Names.erase(found);
    DiskOp op;
    op.Kind = DiskOpKind::Delete;
    op.Name = name;
    Note(op);
    return true;
}

bool FileExists(const char* path) { return Disk.Names.count(NameOf(path)) != 0; }

bool FileIsSameAs(PlatformFile file, const char* path) {
    auto found = Disk.Names.find(NameOf(path));
    return found != Disk.Names.end() && found->second == FileOf(file);
}

bool FileCopy(const char* from, const char* to) {
    PlatformFile in, out;
    if (!FileOpen(from, FileAccess::ReadOnly, &in)) return false;
    std::string bytes = Disk.Contents[FileOf(in)];
    FileClose(&in);
    if (!FileOpen(to, FileAccess::CreateTruncate, &out)) return false;
    bool ok = FileWriteAt(out, 0, bytes.data(), bytes.size()) && FileFlush(out);
    FileClose(&out);
    return ok;
}

bool FileReplace(const char* from, const char* to) {
    std::string source = NameOf(from), target = NameOf(to);
    auto found = Disk.Names.find(source);
    if (found == Disk.Names.end()) return false;
    int inode = found->second;
    Disk.Names.erase(found);
    Disk.Names[target] = inode;
    DiskOp op;
    op.Kind = DiskOpKind::Rename;
    op.Name = source;
    op.To = target;
    Note(op);
    return FolderFlush(FolderOfName(target).c_str());
}

bool FileHardLink(const char* existing, const char* link) {
    auto found = Disk.Names.find(NameOf(existing));
    std::string name = NameOf(link);
    if (Disk.RefuseLinks || found == Disk.Names.end() || Disk.Names.count(name)) return false;
    Disk.Names[name] = found->second;
    DiskOp op;
    op.Kind = DiskOpKind::Link;
    op.Inode = found->second;
    op.Name = name;
    Note(op);
    return true;
}

uint32_t FileSectorSize(const char*) { return 512; }

bool FileReadSectors(PlatformFile file, int64_t offset, void* buffer, size_t size, uint32_t, size_t* got) {
    return FileReadAt(file, offset, buffer, size, got);
}

bool FolderCreate(const char*) { return true; }

bool FolderList(const char* path, std::vector<std::string>* names) {
    names->clear();
    std::string folder = FolderKey(path);
    for (const auto& name : Disk.Names) {
        if (FolderOfName(name.first) == folder) names->push_back(name.first.substr(FileNameStart(name.first)));
    }
    return true;
}
