// Names of the dated backups, their order and the line the backup-drive window shows.
#include "backup/generations.h"

#include <gtest/gtest.h>

namespace {

const UtcTime kEvening{2026, 12, 7, 19, 45, 12};

TEST(GenerationNames, LogNameSequenceDateTimeAndExtension) {
    EXPECT_EQ(GenerationFileName("MYLOG.ULM", 123, kEvening), "MYLOG-000123-20261207-194512Z.ULM");
    EXPECT_EQ(GenerationFileName("NIGHT.LOG", 1, UtcTime{2027, 1, 2, 3, 4, 5}), "NIGHT-000001-20270102-030405Z.LOG");
    EXPECT_EQ(GenerationFileName("PLAIN", 9, kEvening), "PLAIN-000009-20261207-194512Z");
    EXPECT_EQ(GenerationFileName("A.B.ULM", 1000000, kEvening), "A.B-1000000-20261207-194512Z.ULM");
}

TEST(GenerationNames, ReadBackOnlyForTheSameLog) {
    Generation g;
    ASSERT_TRUE(ParseGenerationName("MYLOG-000123-20261207-194512Z.ULM", "MYLOG.ULM", &g));
    EXPECT_EQ(g.Sequence, 123);
    EXPECT_EQ(g.Made.Year, 2026);
    EXPECT_EQ(g.Made.Second, 12);
    EXPECT_TRUE(ParseGenerationName("mylog-000124-20261207-194512z.ulm", "MYLOG.ULM", &g));  // Windows ignores case
    EXPECT_EQ(g.Sequence, 124);
    EXPECT_TRUE(ParseGenerationName("A.B-1000000-20261207-194512Z.ULM", "A.B.ULM", &g));
    EXPECT_EQ(g.Sequence, 1000000);
    for (const char* other :
         {"NIGHT-000001-20261207-194512Z.ULM",  // another log
          "MYLOG-000001-20261207-194512Z.LOG",  // another extension
          "MYLOG-00001-20261207-194512Z.ULM",   // five digits
          "MYLOG-000001-20261307-194512Z.ULM",  // month 13
          "MYLOG-000001-20261207-244512Z.ULM",  // hour 24
          "MYLOG-000001-20261207-194512.ULM",   // no Z
          "MYLOG-000001-20261207-194512Z.ULM.bak", "MYLOG.ULM", "~ULMAR.TMP", "MYLOG-X-000001-20261207-194512Z.ULM"}) {
        EXPECT_FALSE(ParseGenerationName(other, "MYLOG.ULM", &g)) << other;
    }
    EXPECT_FALSE(ParseGenerationName("MY-LOG-000001-20261207-194512Z.ULM", "MY.ULM", &g));
}

TEST(GenerationNames, NewestIsTheHighestSequenceWhateverTheTime) {
    std::vector<std::string> names = {"MYLOG-000003-20301231-235959Z.ULM",  // written with the clock far ahead
                                      "MYLOG-000010-20200101-000000Z.ULM",  // then set back
                                      "MYLOG-000004-20261207-194512Z.ULM", "NIGHT-000099-20261207-194512Z.LOG",
                                      "~ULMAR.TMP"};
    std::vector<Generation> found = GenerationsOf(names, "MYLOG.ULM");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Sequence, 10);
    EXPECT_EQ(found[1].Sequence, 4);
    EXPECT_EQ(found[2].Sequence, 3);
}

TEST(GenerationNames, LogFileNameAndFolders) {
    EXPECT_EQ(LogFileName("C:\\Logs\\MYLOG.ULM"), "MYLOG.ULM");
    EXPECT_EQ(LogFileName("MYLOG.ULM"), "MYLOG.ULM");
    EXPECT_EQ(LogFileName("\\\\server\\share\\DX.ULM"), "DX.ULM");
    EXPECT_EQ(LogFileName("C:OLD.ULM"), "OLD.ULM");  // not "E:C:OLD.ULM" on the backup drive
    EXPECT_EQ(LogFileName("Z:\\dx/old\\DX.ULM"), "DX.ULM");
    EXPECT_EQ(LogFileName("Z:\\dx\\old/DX.ULM"), "DX.ULM");
    EXPECT_EQ(LogFileName("C:\\Logs\\"), "");
    EXPECT_EQ(DriveFolder("E"), "E:");
    EXPECT_EQ(GenerationFolder("E"), "E:ULMAR-BACKUP");
    EXPECT_EQ(InFolder("E:", "MYLOG.ULM"), "E:MYLOG.ULM");  // the drive's current folder, as before
}

TEST(GenerationLine, WhenAndWhereOrNoneFound) {
    EXPECT_EQ(NewestGenerationLine(NewestGeneration{}), "(none found)");
    NewestGeneration newest;
    newest.Found = true;
    newest.Path = "E:ULMAR-BACKUP\\MYLOG-000123-20261207-194512Z.ULM";
    newest.Newest.Made = kEvening;
    EXPECT_EQ(NewestGenerationLine(newest),
              "07-12-2026 19:45:12 UTC  E:ULMAR-BACKUP\\MYLOG-000123-20261207-194512Z.ULM");
}

}  // namespace
