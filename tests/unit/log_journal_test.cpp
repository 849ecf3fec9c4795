// Removals and many-record appends made as one step through the journal, on real
// files; every state a kill or a power cut can leave is opened in tests/powerloss.
#include "logstore/log_journal.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <vector>

#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "records/text_trim.h"
#include "tests/unit/test_files.h"
#include "ui/message_captions.h"

namespace {

// Records named by `stations`, one letter or word each; repeats are allowed on
// purpose: a log may hold the same report twice in a row.
std::string LogOf(const std::vector<std::string>& stations) {
    std::string bytes;
    for (const std::string& s : stations) bytes += EntryBytes(MakeEntry(s));
    return bytes;
}

std::vector<std::string> Without(std::vector<std::string> stations, int k) {
    stations.erase(stations.begin() + (k - 1));
    return stations;
}

class JournalTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLog(Log); }
    TempDir Dir;
    std::string Path = Dir.Path("MYLOG.ULM");
    std::string JournalPath = Path + ".DLJ";
    LogStore Log;
};

TEST(JournalName, BesideTheLogAndNeverAnUlmName) {
    EXPECT_EQ(JournalPath("C:\\Logs\\MYLOG.ULM"), "C:\\Logs\\MYLOG.ULM.DLJ");
    EXPECT_EQ(JournalPath("NIGHT.LOG"), "NIGHT.LOG.DLJ");
}

TEST_F(JournalTest, RemovalInSmallBlocksMovesEveryLaterRecordAndLeavesNoJournal) {
    std::vector<std::string> stations = {"A", "B", "C", "C", "D", "E", "F", "G", "H", "I"};
    WriteBytes(Path, LogOf(stations));
    ASSERT_TRUE(OpenLog(Log, Path));
    Log.MoveBlockRecords = 3;
    ASSERT_TRUE(RemoveEntry(Log, 3));
    EXPECT_EQ(ReadBytes(Path), LogOf(Without(stations, 3)));
    EXPECT_EQ(Log.EntryCount, 9);
    EXPECT_EQ(TrimRight(FieldText(Log.EntryBuffer.Station)), "I");  // the last record moved
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

TEST_F(JournalTest, RemovalRefusedWhenTheJournalCannotBeWritten) {
    std::string before = LogOf({"A", "B", "C"});
    WriteBytes(Path, before);
    ASSERT_EQ(mkdir(JournalPath.c_str(), 0755), 0);  // a folder stands where the journal goes
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_FALSE(RemoveEntry(Log, 1));
    EXPECT_EQ(Log.LastError, LogError::JournalFailed);
    EXPECT_STREQ(DescribeLogError(Log.LastError),
                 "The note that keeps the change safe could not be written beside the log file.");
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_EQ(Log.EntryCount, 3);
}

TEST_F(JournalTest, DamagedJournalLeavesTheLogAlone) {
    std::string before = LogOf({"A", "B", "C"});
    WriteBytes(Path, before);
    WriteBytes(JournalPath, std::string(300, 'j'));
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::Unreadable);
    EXPECT_EQ(RecoveryMessage(Log),
              "The last change of the log was interrupted, and its note could not be read.\r\n\r\n"
              "The log was not changed.\r\nThe note was kept as MYLOG.ULM.DLJ.1.");
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
    EXPECT_EQ(ReadBytes(JournalPath + ".1"), std::string(300, 'j'));
    EXPECT_STREQ(kCaptionUlmar, "Ulmar");  // the box that says so
}

TEST_F(JournalTest, FinishedJournalIsDroppedSilently) {
    std::string before = LogOf({"A", "B"});
    WriteBytes(Path, before);
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Finished);
    Journal journal;
    ASSERT_TRUE(StartJournal(journal, Path, header));
    CloseJournal(journal);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::None);
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

TEST_F(JournalTest, AppendOfManyRecordsIsOneStep) {
    std::string partial(40, 'x');  // a partial record the append overwrites, as one append does
    WriteBytes(Path, LogOf({"A", "B"}) + partial);
    ASSERT_TRUE(OpenLog(Log, Path));
    std::vector<LogEntry> added = {MakeEntry("C"), MakeEntry("D"), MakeEntry("E")};
    ASSERT_TRUE(AppendEntries(Log, added.data(), 3));
    EXPECT_EQ(Log.EntryCount, 5);
    EXPECT_EQ(ReadBytes(Path), LogOf({"A", "B", "C", "D", "E"}));
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
    EXPECT_TRUE(AppendEntries(Log, added.data(), 0));
    EXPECT_FALSE(AppendEntries(Log, added.data(), -1));
    EXPECT_EQ(Log.LastError, LogError::BadNumber);
    EXPECT_EQ(Log.EntryCount, 5);
}

// An append in pieces counts for nothing unless exactly the records it was
// begun for arrive: too few or too many put the log back.
TEST_F(JournalTest, AnAppendRunAddsExactlyWhatItWasBegunFor) {
    std::string before = LogOf({"A", "B"}) + std::string(40, 'x');
    WriteBytes(Path, before);
    ASSERT_TRUE(OpenLog(Log, Path));
    std::vector<LogEntry> added = {MakeEntry("C"), MakeEntry("D"), MakeEntry("E")};
    AppendRun run;
    ASSERT_TRUE(BeginAppendRun(Log, 3, &run));
    EXPECT_TRUE(FileExists(JournalPath.c_str()));
    ASSERT_TRUE(AppendRunRecords(Log, &run, added.data(), 2));
    EXPECT_FALSE(FinishAppendRun(Log, &run));  // one short
    EXPECT_EQ(Log.LastError, LogError::BadNumber);
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));

    ASSERT_TRUE(BeginAppendRun(Log, 2, &run));
    EXPECT_FALSE(AppendRunRecords(Log, &run, added.data(), 3));  // one too many
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));

    ASSERT_TRUE(BeginAppendRun(Log, 3, &run));
    ASSERT_TRUE(AppendRunRecords(Log, &run, added.data(), 1));
    AbandonAppendRun(Log, &run);
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));

    ASSERT_TRUE(BeginAppendRun(Log, 3, &run));
    ASSERT_TRUE(AppendRunRecords(Log, &run, added.data(), 1));
    ASSERT_TRUE(AppendRunRecords(Log, &run, added.data() + 1, 2));
    ASSERT_TRUE(FinishAppendRun(Log, &run));
    EXPECT_EQ(Log.EntryCount, 5);
    EXPECT_EQ(ReadBytes(Path), LogOf({"A", "B", "C", "D", "E"}));
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
    EXPECT_FALSE(BeginAppendRun(Log, 0, &run));
}

// A disk that fills part way (a file size limit in a child process): the append
// fails and the log is back at its old length.
TEST_F(JournalTest, AppendThatFailsPartWayPutsTheLogBack) {
    std::string before = LogOf({"A", "B"});
    WriteBytes(Path, before);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        // Room for the journal (its two header sectors, a slot) but not for the 100 records.
        struct rlimit limit = {16384, 16384};
        setrlimit(RLIMIT_FSIZE, &limit);
        LogStore inChild;
        if (!OpenLog(inChild, Path)) _exit(2);
        std::vector<LogEntry> many(200, MakeEntry("Z"));
        bool appended = AppendEntries(inChild, many.data(), 200);
        _exit(!appended && inChild.LastError == LogError::WriteFailed && inChild.EntryCount == 2 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

}  // namespace
