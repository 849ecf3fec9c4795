// Every export (CSV, bulletin lines, ADIF) writes its file beside the name
// and puts it in place only when it is whole: a full disk or a log that cannot
// be read to its end leaves the earlier file as it was and nothing beside it.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#include <string>
#include <vector>

#include "exchange/adif_export.h"
#include "exchange/bulletin.h"
#include "exchange/csv_export.h"
#include "tests/unit/stored_outputs.h"

namespace {

ExportStatus Csv(LogStore& log, const std::string& name) { return ExportLog(log, 1, name).Status; }

ExportStatus Bulletin(LogStore& log, const std::string& name) {
    return WriteBulletin(log, 1, name, ReportFilter()).Status;
}

ExportStatus Adif(LogStore& log, const std::string& name) {
    return ExportAdif(log, 1, name, ReportFilter(), UtcTime{2026, 12, 8, 6, 30, 5}, "L").Written.Status;
}

struct ExportKind {
    const char* Name;
    ExportStatus (*Run)(LogStore& log, const std::string& name);
};

const ExportKind kExports[] = {{"CSV", Csv}, {"bulletin", Bulletin}, {"ADIF", Adif}};

// A file-size limit stands for a full disk: writes past it fail.
ExportStatus OnAFullDisk(const ExportKind& kind, LogStore& log, const std::string& name) {
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    ExportStatus status = kind.Run(log, name);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return status;
}

TEST(ExportFailure, AFullDiskKeepsTheEarlierFileAndLeavesNothingBesideIt) {
    for (const ExportKind& kind : kExports) {
        OpenTestLog t(std::vector<LogEntry>(400, MakeEntry("Station", "01-02-2003", "04:05", "9410", "Here", "r")));
        std::string name = t.Folder.Path("FULL.OUT");
        WriteBytes(name, "the earlier export");
        EXPECT_EQ(OnAFullDisk(kind, t.Log, name), ExportStatus::WriteFailed) << kind.Name;
        EXPECT_EQ(ReadBytes(name), "the earlier export") << kind.Name;
        EXPECT_FALSE(FileExists((name + "~").c_str())) << kind.Name;
        EXPECT_NE(ExportFailureText(ExportStatus::WriteFailed, name).find(name + " was not written completely"),
                  std::string::npos);
    }
}

TEST(ExportFailure, ALogThatCannotBeReadToTheEndKeepsTheEarlierFile) {
    for (const ExportKind& kind : kExports) {
        OpenTestLog t(StoredEntries());
        // The file shrinks behind the program's back (a share that went away).
        ASSERT_EQ(truncate(t.Path.c_str(), 115), 0);
        std::string name = t.Folder.Path("PART.OUT");
        WriteBytes(name, "earlier");
        EXPECT_EQ(kind.Run(t.Log, name), ExportStatus::ReadFailed) << kind.Name;
        EXPECT_EQ(ReadBytes(name), "earlier") << kind.Name;
        EXPECT_FALSE(FileExists((name + "~").c_str())) << kind.Name;
        std::string missing = t.Folder.Path("NEW.OUT");
        EXPECT_EQ(kind.Run(t.Log, missing), ExportStatus::ReadFailed) << kind.Name;
        EXPECT_FALSE(FileExists(missing.c_str())) << kind.Name << ": no part of a log is shown as its export";
        EXPECT_NE(ExportFailureText(ExportStatus::ReadFailed, name).find("could not be read"), std::string::npos);
    }
}

TEST(ExportFailure, AWholeExportReplacesTheEarlierFile) {
    for (const ExportKind& kind : kExports) {
        OpenTestLog t(StoredEntries());
        std::string name = t.Folder.Path("OUT.TXT");
        WriteBytes(name, std::string(100000, '\x01'));
        EXPECT_EQ(kind.Run(t.Log, name), ExportStatus::Written) << kind.Name;
        std::string bytes = ReadBytes(name);
        EXPECT_EQ(bytes.find('\x01'), std::string::npos) << kind.Name << ": nothing of the earlier file is left";
        EXPECT_NE(bytes.find("Example Radio"), std::string::npos) << kind.Name;
        EXPECT_FALSE(FileExists((name + "~").c_str())) << kind.Name;
    }
}

}  // namespace
