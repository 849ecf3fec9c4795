// Removals and many-record appends made as one step through the journal, and
// their recovery at the next opening from every state a killed run can leave.
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

// Builds, with the journal's own calls, the state a removal killed at
// `bytesOfBlock` bytes into block `blockIndex` leaves: earlier blocks moved,
// this one written in part (a record may be cut in the middle).
void KilledRemovalState(const std::string& path, std::vector<std::string> stations, int k, int blockRecords,
                        int blockIndex, size_t bytesOfBlock) {
    std::string bytes = LogOf(stations);
    JournalHeader header{};
    header.Kind = static_cast<uint32_t>(JournalKind::Removal);
    header.LogLength = static_cast<int64_t>(bytes.size());
    header.Count = k;
    header.NextSource = k + 1;
    header.SlotRecords = blockRecords;
    bytes.copy(header.Saved, kEntrySize, static_cast<size_t>(RecordOffset(k)));
    Journal journal;
    ASSERT_TRUE(StartJournal(journal, path, header));
    int count = static_cast<int>(stations.size());
    int from = k + 1;
    for (int block = 0; block <= blockIndex && from <= count; ++block) {
        int n = std::min(blockRecords, count - from + 1);
        std::string source = bytes.substr(static_cast<size_t>(RecordOffset(from)), static_cast<size_t>(n) * kEntrySize);
        std::vector<uint64_t> checks;
        for (int i = 0; i < n; ++i) checks.push_back(RecordCheck(source.data() + i * kEntrySize, kEntrySize));
        ASSERT_TRUE(NoteBlock(journal, from, checks));
        size_t written = block < blockIndex ? source.size() : std::min(bytesOfBlock, source.size());
        bytes.replace(static_cast<size_t>(RecordOffset(from - 1)), written, source.substr(0, written));
        from += n;
    }
    CloseJournal(journal);
    WriteBytes(path, bytes);
}

TEST_F(JournalTest, KilledAtEveryByteOfEveryBlockTheNextOpeningFinishesTheRemoval) {
    // Repeats side by side make a doubled record look like a natural one.
    std::vector<std::string> stations = {"A", "B", "B", "C", "C", "C", "D", "E", "E", "F", "G"};
    const int k = 2, blockRecords = 3;
    std::string after = LogOf(Without(stations, k));
    int states = 0;
    for (int blockIndex = 0; blockIndex < 3; ++blockIndex) {
        for (size_t bytes = 0; bytes <= 3 * kEntrySize; bytes += 23) {
            KilledRemovalState(Path, stations, k, blockRecords, blockIndex, bytes);
            ASSERT_TRUE(OpenLog(Log, Path));
            EXPECT_EQ(Log.Recovery, LogRecovery::RemovalFinished) << blockIndex << " " << bytes;
            EXPECT_EQ(ReadBytes(Path), after) << "block " << blockIndex << ", " << bytes << " bytes";
            EXPECT_EQ(Log.EntryCount, 10);
            EXPECT_FALSE(FileExists(JournalPath.c_str()));
            CloseLog(Log);
            ++states;
        }
    }
    EXPECT_EQ(states, 3 * 16);
}

TEST_F(JournalTest, KilledBeforeAnythingMovedOrAfterTheCutTheRemovalIsComplete) {
    std::vector<std::string> stations = {"A", "B", "C", "D"};
    // Journal written, no block named yet.
    KilledRemovalState(Path, stations, 1, 2, -1, 0);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::RemovalFinished);
    EXPECT_EQ(ReadBytes(Path), LogOf({"B", "C", "D"}));
    CloseLog(Log);
    // Every block moved and the file cut, but the journal not yet deleted.
    KilledRemovalState(Path, stations, 1, 2, 5, 0);
    WriteBytes(Path, LogOf({"B", "C", "D"}));
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::RemovalFinished);
    EXPECT_EQ(ReadBytes(Path), LogOf({"B", "C", "D"}));
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

TEST_F(JournalTest, RecoveryIsSaidOnceInPlainWords) {
    KilledRemovalState(Path, {"A", "B", "C", "D", "E"}, 2, 2, 1, 40);
    ASSERT_TRUE(OpenLog(Log, Path));
    std::string text;
    ASSERT_TRUE(TakeRecoveryMessage(Log, &text));
    EXPECT_EQ(text,
              "The last deletion (of entry 2) was interrupted.\r\n\r\n"
              "It has now been finished: the entry is deleted and every other entry is in the log once.");
    EXPECT_STREQ(kCaptionUlmar, "Ulmar");
    EXPECT_FALSE(TakeRecoveryMessage(Log, &text));
    EXPECT_EQ(text, "");
    CloseLog(Log);
    ASSERT_TRUE(OpenLog(Log, Path));  // nothing left to say at the next opening
    EXPECT_EQ(Log.Recovery, LogRecovery::None);
}

TEST_F(JournalTest, ChangedLogIsLeftAsItIsAndTheStaleJournalDropped) {
    KilledRemovalState(Path, {"A", "B", "C", "D", "E"}, 2, 2, 1, 40);
    std::string changed = LogOf({"A", "B", "C", "D", "E", "F"});  // an older copy appended since
    WriteBytes(Path, changed);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::LeftAsItIs);
    EXPECT_EQ(RecoveryMessage(Log),
              "The last deletion (of entry 2) was interrupted.\r\n\r\n"
              "The log has been changed since, so it was left as it is.");
    EXPECT_EQ(ReadBytes(Path), changed);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

TEST_F(JournalTest, DamagedJournalLeavesTheLogAlone) {
    std::string before = LogOf({"A", "B", "C"});
    WriteBytes(Path, before);
    WriteBytes(JournalPath, std::string(300, 'j'));
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::Unreadable);
    EXPECT_EQ(RecoveryMessage(Log),
              "The last change of the log was interrupted, and its note could not be read.\r\n\r\n"
              "The log was left as it is.");
    EXPECT_EQ(ReadBytes(Path), before);
    EXPECT_FALSE(FileExists(JournalPath.c_str()));
}

TEST_F(JournalTest, ReadOnlyLogIsNotRepairedAndTheJournalKeptForLater) {
    KilledRemovalState(Path, {"A", "B", "C", "D", "E"}, 2, 2, 0, 100);
    std::string halfway = ReadBytes(Path);
    ASSERT_EQ(chmod(Path.c_str(), 0444), 0);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_FALSE(Log.Writable);
    EXPECT_EQ(Log.Recovery, LogRecovery::NotFinished);
    EXPECT_EQ(RecoveryMessage(Log),
              "The last deletion (of entry 2) was interrupted.\r\n\r\n"
              "It could not be finished now: The log file can only be read: it is read-only or in use.\r\n"
              "It will be tried again when the log is next opened.");
    EXPECT_EQ(ReadBytes(Path), halfway);
    EXPECT_TRUE(FileExists(JournalPath.c_str()));
    CloseLog(Log);
    ASSERT_EQ(chmod(Path.c_str(), 0644), 0);
    ASSERT_TRUE(OpenLog(Log, Path));
    EXPECT_EQ(Log.Recovery, LogRecovery::RemovalFinished);
    EXPECT_EQ(ReadBytes(Path), LogOf({"A", "C", "D", "E"}));
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

// A killed append: the journal was written, then some of the records, cut anywhere.
TEST_F(JournalTest, KilledAppendIsTakenBackToTheExactOldBytes) {
    std::string before = LogOf({"A", "B"}) + std::string(40, 'x');
    std::string added = LogOf({"C", "D", "E"});
    for (size_t written = 0; written <= added.size(); written += 29) {
        WriteBytes(Path, before);
        JournalHeader header{};
        header.Kind = static_cast<uint32_t>(JournalKind::Append);
        header.LogLength = static_cast<int64_t>(before.size());
        header.Count = 3;
        before.copy(header.Saved, 40, 2 * kEntrySize);
        Journal journal;
        ASSERT_TRUE(StartJournal(journal, Path, header));
        CloseJournal(journal);
        std::string killed = before.substr(0, 2 * kEntrySize) + added.substr(0, written);
        if (killed.size() < before.size()) killed = before.substr(0, killed.size()) + before.substr(killed.size());
        WriteBytes(Path, killed);
        ASSERT_TRUE(OpenLog(Log, Path));
        EXPECT_EQ(Log.Recovery, LogRecovery::AppendUndone) << written;
        EXPECT_EQ(ReadBytes(Path), before) << written;
        EXPECT_EQ(Log.EntryCount, 2);
        CloseLog(Log);
    }
    LogStore shown;
    shown.Recovery = LogRecovery::AppendUndone;
    shown.RecoveredRemoval = false;
    shown.RecoveredCount = 3;
    EXPECT_EQ(RecoveryMessage(shown),
              "The last addition of 3 entries was interrupted.\r\n\r\n"
              "The log was put back as it was before: none of those entries was added.");
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
        struct rlimit limit = {static_cast<rlim_t>(before.size() + 1000), static_cast<rlim_t>(before.size() + 1000)};
        setrlimit(RLIMIT_FSIZE, &limit);
        LogStore inChild;
        if (!OpenLog(inChild, Path)) _exit(2);
        std::vector<LogEntry> many(100, MakeEntry("Z"));
        bool appended = AppendEntries(inChild, many.data(), 100);
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
