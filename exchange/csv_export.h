// The file branch of a run: the entries as a comma-separated text file.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_store.h"
#include "logstore/log_walk.h"
#include "platform/file.h"

enum class ExportStatus {
    Written,
    NoFileName,    // the file-name box was empty
    NamesOpenLog,  // the name is the open log's own
    CannotCreate,  // missing folder, read-only or locked file, invalid name
    WriteFailed,   // a write did not complete, for example on a full disk
    ReadFailed,    // the log could not be read to the end
};

struct ExportResult {
    ExportStatus Status = ExportStatus::Written;
    int32_t Count = 0;  // entries written to the file
};

// Writes `fileName` anew: the header and one line per entry from `start` up
// to EntryCount; with no entry to write the file is empty. A name equal to the open log's path is refused before anything is
// opened, so the log is never touched. With a filter only the entries it
// keeps are written and counted.
ExportResult ExportLog(LogStore& log, int64_t start, const std::string& fileName, const EntryFilter* filter = nullptr);

// The output file of a run. An empty name, the open log's own name and an
// earlier file that is read-only or in use are refused before anything is
// made. The new file is written under a name beside it (NAME~) and put in
// place of `fileName` by FinishOutputFile in one flushed step, so a kill, a
// full disk or a power cut leaves the earlier file or the whole new one.
ExportStatus CreateOutputFile(const LogStore& log, const std::string& fileName, PlatformFile* file);
// Flushes and closes the new file and puts it in place of `fileName` when it
// was `written` whole from a log read to its end (not `readFailed`); else
// deletes it, leaving any earlier file as it was.
ExportStatus FinishOutputFile(PlatformFile* file, const std::string& fileName, bool written, bool readFailed);

// The message shown instead of the completion message when an export failed.
std::string ExportFailureText(ExportStatus status, const std::string& fileName);
