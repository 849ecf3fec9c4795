// A disk in memory behind the platform file API (platform/file.h), linked
// into the power-loss tests in place of the POSIX layer. It keeps files by
// their whole path ("LOG.ULM", "Q:MYLOG.ULM", "Q:ULMAR-BACKUP/..."; folders
// exist without being made) and, while recording, notes every create, hard
// link, write, set-length, flush, rename, delete and folder flush, from which
// crash_states.h builds what a power cut could leave on the disk.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class DiskOpKind { Create, Write, SetLength, Flush, Rename, Delete, FolderFlush, Link };

struct DiskOp {
    DiskOpKind Kind = DiskOpKind::Write;
    int Inode = -1;      // the file written, sized or flushed; the file made by Create
    int64_t Offset = 0;  // Write: where; SetLength: the new length
    std::string Bytes;   // Write: what
    std::string Name;    // Create, Link, Rename (from), Delete: the name; FolderFlush: the folder
    std::string To;      // Rename: the new name
};

// The files as a power cut leaves them: name to bytes.
using DiskFiles = std::map<std::string, std::string>;

struct SimulatedDisk {
    std::map<std::string, int> Names;       // name to file
    std::map<int, std::string> Contents;    // file to bytes
    std::map<intptr_t, int> Handles;        // open handle to file
    std::map<intptr_t, bool> HandleWrites;  // open handle may write
    bool RefuseLinks = false;               // a volume without hard links (FAT)
    int NextInode = 1;
    intptr_t NextHandle = 3;
    bool Recording = false;
    std::vector<DiskOp> Ops;
    // The disk as it stood, all of it durable, when recording began.
    std::map<std::string, int> StartNames;
    std::map<int, std::string> StartContents;
};

extern SimulatedDisk Disk;

// Empties the disk and puts `files` on it, every byte durable, nothing recorded.
void ResetDisk(const DiskFiles& files);
// Starts noting operations, from the disk as it is now, taken as durable.
void StartRecording();
// Stops noting; the notes stay in Disk.Ops.
void StopRecording();
// Every file by name, as the running program sees it now.
DiskFiles CurrentFiles();
// The folder a file's name lies in ("" for the working folder, "Q:", "Q:ULMAR-BACKUP").
std::string FolderOfName(const std::string& name);
// The bytes of one file, empty when it does not exist.
std::string FileBytes(const std::string& name);
