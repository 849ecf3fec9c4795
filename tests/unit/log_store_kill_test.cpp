// A removal killed part way (SIGKILL at various moments) must lose no report:
// every later record is still in the file, in order, at most one of them twice.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "logstore/log_store.h"
#include "tests/unit/test_files.h"

namespace {

constexpr int kEntries = 200000;

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

// Runs RemoveEntry(1) in a child and kills it after `delayMicroseconds`.
void KilledRemoval(const std::string& path, int delayMicroseconds) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LogStore log;
        if (!OpenLog(log, path)) _exit(2);
        RemoveEntry(log, 1);
        _exit(0);
    }
    usleep(static_cast<useconds_t>(delayMicroseconds));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

TEST(LogStoreSuddenDeath, KilledRemovalOfEntry1LosesNoReport) {
    TempDir dir;
    std::string path = dir.Path("BIG.ULM");
    std::string original = NumberedLog(kEntries);
    int interrupted = 0;
    for (int delay : {0, 200, 1000, 3000, 6000, 10000, 20000, 40000}) {
        WriteBytes(path, original);
        KilledRemoval(path, delay);
        std::vector<int> numbers = StationNumbers(ReadBytes(path));
        ASSERT_TRUE(numbers.size() == kEntries || numbers.size() == kEntries - 1u) << "delay " << delay;
        // Every report after the removed one is present, in ascending order, at most one twice.
        int doubled = 0;
        size_t at = numbers.front() == 1 ? 1 : 0;
        int expected = 2;
        for (; at < numbers.size(); ++at) {
            if (numbers[at] == expected - 1) {
                ++doubled;
                continue;
            }
            ASSERT_EQ(numbers[at], expected) << "delay " << delay << " position " << at;
            ++expected;
        }
        EXPECT_EQ(expected, kEntries + 1) << "delay " << delay << ": reports missing at the end";
        EXPECT_LE(doubled, 1) << "delay " << delay;
        if (numbers.front() == 1) {
            EXPECT_EQ(doubled, 0) << "nothing moved yet, nothing doubled";
        }
        if (doubled == 1) ++interrupted;
    }
    // The point of the test is the moves in flight; say how often the kill landed there.
    RecordProperty("kills_during_moves", interrupted);
    std::printf("removal killed during the moves in %d of 8 runs\n", interrupted);
}

}  // namespace
