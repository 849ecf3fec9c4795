// The crash states themselves, on small recordings whose states can be listed by hand.
#include "tests/powerloss/crash_states.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/file.h"

namespace {

std::multiset<std::string> StatesOf(CrashModel model, const std::string& name, CrashRun* run) {
    std::multiset<std::string> seen;
    *run = ForEachCrashState(model, CrashBudget(), [&](const DiskFiles& files, const std::string&) {
        auto found = files.find(name);
        seen.insert(found == files.end() ? "(missing)" : found->second);
        return true;
    });
    return seen;
}

// Two sectors written in one call, then flushed.
void WriteTwoSectorsAndFlush() {
    ResetDisk({{"A", ""}});
    StartRecording();
    PlatformFile file;
    ASSERT_TRUE(FileOpen("A", FileAccess::ReadWrite, &file));
    std::string bytes(512, 'x');
    bytes += std::string(512, 'y');
    ASSERT_TRUE(FileWriteAt(file, 0, bytes.data(), bytes.size()));
    ASSERT_TRUE(FileFlush(file));
    FileClose(&file);
    StopRecording();
}

TEST(CrashStates, EachSectorAndTheLengthLandOrNotBeforeTheFlush) {
    WriteTwoSectorsAndFlush();
    CrashRun run;
    std::multiset<std::string> seen = StatesOf(CrashModel::Sectors, "A", &run);
    std::string x(512, 'x'), y(512, 'y'), zeros(512, '\0');
    // Before the flush: length 0 (four ways) or 1024 with each sector old (zeros) or new; after it: all.
    std::multiset<std::string> expected = {"", "", "", "", zeros + zeros, x + zeros, zeros + y, x + y, x + y};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(run.Visited, 9);
    EXPECT_TRUE(run.Exhaustive);
}

TEST(CrashStates, TornTurnsOneDirtySectorToGarbage) {
    WriteTwoSectorsAndFlush();
    CrashRun run;
    std::multiset<std::string> seen = StatesOf(CrashModel::Torn, "A", &run);
    EXPECT_EQ(run.Visited, 16);  // eight states before the flush, each with one of two sectors garbage
    std::string x(512, 'x'), y(512, 'y');
    int withGarbage = 0;
    for (const std::string& state : seen) {
        if (state.size() == 1024 && state.substr(0, 512) != x && state.substr(512) != y) ++withGarbage;
    }
    EXPECT_EQ(withGarbage, 4);  // garbage in one sector, the other never written
    EXPECT_EQ(seen.count(x + y), 0u);
}

TEST(CrashStates, PrefixStopsAfterEachOperation) {
    WriteTwoSectorsAndFlush();
    CrashRun run;
    std::multiset<std::string> seen = StatesOf(CrashModel::Prefix, "A", &run);
    EXPECT_EQ(run.Visited, 3);  // before the write, after it, after the flush
    EXPECT_EQ(seen, (std::multiset<std::string>{"", std::string(512, 'x') + std::string(512, 'y'),
                                                std::string(512, 'x') + std::string(512, 'y')}));
}

TEST(CrashStates, AFileMadeOrRenamedIsThereOnlyOnceItsFolderIsFlushed) {
    ResetDisk({{"OLD", "old"}});
    StartRecording();
    PlatformFile file;
    ASSERT_TRUE(FileOpen("NEW", FileAccess::CreateTruncate, &file));
    ASSERT_TRUE(FileWriteAt(file, 0, "new", 3));
    ASSERT_TRUE(FileFlush(file));
    FileClose(&file);
    ASSERT_TRUE(FileReplace("NEW", "OLD"));  // a rename, then a folder flush
    StopRecording();
    CrashRun run;
    std::multiset<std::string> seen = StatesOf(CrashModel::Sectors, "OLD", &run);
    // Before the file flush (create landed or not, 2 lengths, 1 sector): "old" 8 times.
    // Before the folder flush: "new" only with both create and rename landed. At the end: "new".
    EXPECT_EQ(seen.count("new"), 2u);
    EXPECT_EQ(seen.count("old"), 11u);
    EXPECT_EQ(seen.count("n\0\0"), 0u);
}

TEST(CrashStates, AboveTheBudgetStatesAreSampledWithTheTargetedOnes) {
    ResetDisk({{"A", std::string(64 * 512, 'o')}});
    StartRecording();
    PlatformFile file;
    ASSERT_TRUE(FileOpen("A", FileAccess::ReadWrite, &file));
    std::string bytes(64 * 512, 'n');
    ASSERT_TRUE(FileWriteAt(file, 0, bytes.data(), bytes.size()));
    FileClose(&file);
    StopRecording();
    CrashBudget budget;
    budget.Samples = 10;
    CrashRun run;
    std::multiset<std::string> seen = StatesOf(CrashModel::Sectors, "A", &run);
    run = ForEachCrashState(CrashModel::Sectors, budget, [](const DiskFiles&, const std::string&) { return true; });
    EXPECT_FALSE(run.Exhaustive);
    EXPECT_DOUBLE_EQ(run.Possible, 18446744073709551616.0);  // 2 to the 64
    EXPECT_EQ(run.Visited,
              2 + 2 * 6 + 10);  // nothing, everything, six single sectors spread over 64 each way, ten random
    EXPECT_EQ(seen.count(std::string(64 * 512, 'o')), 1u);
    EXPECT_EQ(seen.count(std::string(64 * 512, 'n')), 1u);
}

}  // namespace
