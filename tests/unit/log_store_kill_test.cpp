// A removal killed at any moment (SIGKILL) leaves, after the next opening, the
// log exactly as before or exactly as after: no report doubled, none lost.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "logstore/log_change.h"
#include "logstore/log_journal.h"
#include "logstore/log_store.h"
#include "records/text_trim.h"
#include "tests/unit/test_files.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kBlockRecords = 4096;  // 25 blocks to move
constexpr int kKillPoints = 24;

std::string NumberedLog(int count) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * 115);
    for (int i = 1; i <= count; ++i) bytes += EntryBytes(MakeEntry("S" + std::to_string(i)));
    return bytes;
}

std::vector<int> StationNumbers(const std::string& bytes) {
    std::vector<int> numbers;
    for (size_t at = 0; at + 115 <= bytes.size(); at += 115) {
        numbers.push_back(std::stoi(TrimRight(bytes.substr(at + 21 + 1, 19))));
    }
    return numbers;
}

// The first record of the block the running removal has named, 0 before it has a journal.
int64_t BlockInFlight(const std::string& journalPath) {
    int fd = open(journalPath.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    JournalHeader header{};
    ssize_t got = pread(fd, &header, sizeof header, 0);
    close(fd);
    return got == static_cast<ssize_t>(sizeof header) ? header.NextSource : 0;
}

// Runs RemoveEntry(1) in a child; kills it `delayMicroseconds` after its journal
// names the block starting at record `source` or a later one.
void KilledRemoval(const std::string& path, int64_t source, int delayMicroseconds) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LogStore log;
        if (!OpenLog(log, path)) _exit(2);
        log.MoveBlockRecords = kBlockRecords;
        RemoveEntry(log, 1);
        _exit(0);
    }
    int status = 0;
    while (BlockInFlight(path + ".DLJ") < source && waitpid(child, &status, WNOHANG) == 0) {}
    usleep(static_cast<useconds_t>(delayMicroseconds));
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
}

TEST(LogStoreSuddenDeath, KilledRemovalOfEntry1IsExactlyBeforeOrAfterOnReopening) {
    TempDir dir;
    std::string path = dir.Path("BIG.ULM");
    std::string original = NumberedLog(kEntries);
    std::string after = original.substr(115);
    int doubled = 0, lost = 0, midMove = 0, finished = 0, untouched = 0;
    for (int point = 0; point < kKillPoints; ++point) {
        WriteBytes(path, original);
        int64_t source = 2 + static_cast<int64_t>(point) * kBlockRecords;
        KilledRemoval(path, source, (point % 4) * 150);
        bool interrupted = FileExists((path + ".DLJ").c_str());
        LogStore log;
        ASSERT_TRUE(OpenLog(log, path));
        CloseLog(log);
        std::string bytes = ReadBytes(path);
        std::vector<int> numbers = StationNumbers(bytes);
        std::vector<int> seen(kEntries + 1, 0);
        for (int n : numbers) ++seen[n];
        for (int n = 2; n <= kEntries; ++n) {
            if (seen[n] > 1) doubled += seen[n] - 1;
            if (seen[n] == 0) ++lost;
        }
        EXPECT_TRUE(bytes == after || bytes == original) << "kill point " << point;
        if (interrupted) {
            ++midMove;
            EXPECT_EQ(log.Recovery, LogRecovery::RemovalFinished) << "kill point " << point;
        }
        if (bytes == after) ++finished;
        if (bytes == original) ++untouched;
    }
    EXPECT_EQ(doubled, 0);
    EXPECT_EQ(lost, 0);
    // Each kill point waits for its block to be named, so nearly all land inside the move.
    EXPECT_GE(midMove, 20);
    RecordProperty("kills_during_moves", midMove);
    std::printf(
        "%d kill points: %d landed during the moves and were finished on reopening; "
        "%d doubled, %d lost; %d runs ended 'after', %d 'before'\n",
        kKillPoints, midMove, doubled, lost, finished, untouched);
}

}  // namespace
