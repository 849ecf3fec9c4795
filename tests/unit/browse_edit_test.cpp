#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "browse/entry_edit.h"
#include "logstore/log_change.h"
#include "tests/unit/browse_logs.h"

TEST(BrowseEdit, BoxesShowTheFieldsWithoutTrailingBlanks) {
    LogEntry entry = MakeEntry("Radio Alpha", "06-12-2026", "19:30", "6070", "  Oslo", "");
    EditTexts texts = EditTextsOf(entry);
    EXPECT_EQ(texts.Freq, "6070");
    EXPECT_EQ(texts.Station, "Radio Alpha");
    EXPECT_EQ(texts.Location, "  Oslo");  // leading blanks are kept
    EXPECT_EQ(texts.Remarks, "");
}

TEST(BrowseEdit, ExitWritesOnlyWhenEditedAndTheStationIsNotBlank) {
    EXPECT_EQ(ChooseExit(false, "Radio Alpha"), ExitChoice::CloseOnly);
    EXPECT_EQ(ChooseExit(false, ""), ExitChoice::CloseOnly);
    EXPECT_EQ(ChooseExit(true, "Radio Alpha"), ExitChoice::WriteBack);
    EXPECT_EQ(ChooseExit(true, "  x"), ExitChoice::WriteBack);
    EXPECT_EQ(ChooseExit(true, ""), ExitChoice::StayOnStation);
    EXPECT_EQ(ChooseExit(true, "     "), ExitChoice::StayOnStation);
    // Only the first 20 characters are stored: blank there means a blank station.
    EXPECT_EQ(ChooseExit(true, std::string(20, ' ') + "Late"), ExitChoice::StayOnStation);
}

TEST(BrowseEdit, EditedEntryCutsAndPadsAndKeepsDateAndTime) {
    LogEntry original = MakeEntry("Radio Alpha", "06-12-2026", "19:30", "9410", "Oslo", "fair");
    LogEntry edited = EditedEntry(original, {"153", "A Station Name Of 25 Chars", "Bergen", std::string(60, 'r')});
    EXPECT_EQ(FieldText(edited.Date), "06-12-2026");
    EXPECT_EQ(FieldText(edited.Time), "19:30");
    EXPECT_EQ(FieldText(edited.Freq), "153   ");
    EXPECT_EQ(FieldText(edited.Station), "A Station Name Of 25");
    EXPECT_EQ(FieldText(edited.Location), "Bergen" + std::string(18, ' '));
    EXPECT_EQ(FieldText(edited.Remarks), std::string(50, 'r'));
    LogEntry cleared = EditedEntry(original, {"", "X", "", ""});
    EXPECT_EQ(FieldText(cleared.Freq), "      ");
    EXPECT_EQ(FieldText(cleared.Location), std::string(24, ' '));
}

TEST(BrowseEdit, SavingRewritesOnlyThatEntry) {
    TempDir dir;
    std::string path = dir.Path("E.ULM");
    std::string original = LogBytes(10);
    WriteBytes(path, original);
    LogStore log;
    ASSERT_TRUE(OpenLog(log, path));
    ASSERT_TRUE(ReadEntry(log, 3));
    EditTexts texts = EditTextsOf(log.EntryBuffer);
    texts.Remarks = "New remarks";
    LogEntry edited = EditedEntry(log.EntryBuffer, texts);
    EXPECT_TRUE(SaveEditedEntry(log, 3, edited, Register));
    CloseLog(log);

    std::string expected = original;
    std::string remarks = "New remarks" + std::string(39, ' ');
    expected.replace(2 * kEntrySize + 65, 50, remarks);
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(BrowseEdit, AFailedSaveIsToldAndChangesNothing) {
    TempDir dir;
    std::string path = dir.Path("E.ULM");
    std::string original = LogBytes(10);
    WriteBytes(path, original);
    chmod(path.c_str(), 0444);
    LogStore log;
    ASSERT_TRUE(OpenLog(log, path));
    ASSERT_FALSE(log.Writable);
    ASSERT_TRUE(ReadEntry(log, 3));
    LogEntry edited = EditedEntry(log.EntryBuffer, {"1", "Changed", "", ""});
    EXPECT_FALSE(SaveEditedEntry(log, 3, edited, Register));
    EXPECT_EQ(log.LastError, LogError::ReadOnly);
    EXPECT_EQ(log.EntryCount, 10);
    CloseLog(log);
    EXPECT_EQ(ReadBytes(path), original);
}

TEST(BrowseEdit, SavingAnEntryThatIsGoneIsRefused) {
    TempDir dir;
    std::string path = dir.Path("E.ULM");
    WriteBytes(path, LogBytes(2));
    LogStore log;
    ASSERT_TRUE(OpenLog(log, path));
    EXPECT_FALSE(SaveEditedEntry(log, 3, MakeEntry("Ghost"), Register));
    EXPECT_EQ(log.LastError, LogError::BadNumber);
    CloseLog(log);
    EXPECT_EQ(ReadBytes(path), LogBytes(2));
}
