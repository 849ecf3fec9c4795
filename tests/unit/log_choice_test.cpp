#include "app/log_choice.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

TEST(OpenDialogStructure, FullOnlyOnNtFamilyFromVersionFive) {
    EXPECT_TRUE(UseFullOpenDialogStructure(false, kPlatformNtFamily, 5));
    EXPECT_TRUE(UseFullOpenDialogStructure(false, kPlatformNtFamily, 6));
    EXPECT_TRUE(UseFullOpenDialogStructure(false, kPlatformNtFamily, 10));
    EXPECT_FALSE(UseFullOpenDialogStructure(false, kPlatformNtFamily, 4));
    EXPECT_FALSE(UseFullOpenDialogStructure(false, kPlatformNtFamily, 3));
}

TEST(OpenDialogStructure, OtherFamiliesAndFailedQueryGetTheShortOne) {
    EXPECT_FALSE(UseFullOpenDialogStructure(false, 1, 4));  // the older consumer family
    EXPECT_FALSE(UseFullOpenDialogStructure(false, 1, 5));
    EXPECT_FALSE(UseFullOpenDialogStructure(false, 0, 6));
    EXPECT_FALSE(UseFullOpenDialogStructure(false, 3, 10));
    EXPECT_FALSE(UseFullOpenDialogStructure(true, kPlatformNtFamily, 10));
}

TEST(ChosenLogPath, AcceptedNameReplacesThePrevious) {
    char buffer[260] = "Z:\\logs\\NIGHT.LOG";
    EXPECT_EQ(ChosenLogPath("MYLOG.ULM", true, buffer, sizeof buffer), "Z:\\logs\\NIGHT.LOG");
}

TEST(ChosenLogPath, CancelOrEmptyNameKeepsThePrevious) {
    char empty[260] = "";
    EXPECT_EQ(ChosenLogPath("C:\\Logs\\A.ULM", false, empty, sizeof empty), "C:\\Logs\\A.ULM");
    EXPECT_EQ(ChosenLogPath("C:\\Logs\\A.ULM", true, empty, sizeof empty), "C:\\Logs\\A.ULM");
    EXPECT_EQ(ChosenLogPath("C:\\Logs\\A.ULM", true, empty, 0), "C:\\Logs\\A.ULM");
}

TEST(ChosenLogPath, WhatAFailedDialogLeftIsIgnored) {
    // A name too long for the buffer: the dialog fails and leaves the size it needed.
    char buffer[260] = {};
    buffer[0] = 0x2C;
    buffer[1] = 0x01;
    EXPECT_EQ(ChosenLogPath("MYLOG.ULM", false, buffer, sizeof buffer), "MYLOG.ULM");
    char named[260] = "Z:\\x\\HALF.ULM";
    EXPECT_EQ(ChosenLogPath("MYLOG.ULM", false, named, sizeof named), "MYLOG.ULM");
}

TEST(ChosenLogPath, UnterminatedBufferIsCutToItsCapacity) {
    char buffer[260];
    std::memset(buffer, 'N', sizeof buffer);
    std::string chosen = ChosenLogPath("MYLOG.ULM", true, buffer, sizeof buffer);
    EXPECT_EQ(chosen, std::string(259, 'N'));
}

TEST(DefaultExtension, AddedToANameWithoutOne) {
    EXPECT_EQ(WithDefaultExtension("Z:\\logs\\NIGHT", "LOG", false), "Z:\\logs\\NIGHT.LOG");
    EXPECT_EQ(WithDefaultExtension("NIGHT", "LOG", false), "NIGHT.LOG");
    EXPECT_EQ(WithDefaultExtension("C:NIGHT", "LOG", false), "C:NIGHT.LOG");
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(WithDefaultExtension("Z:\\dx.logs\\NIGHT", "LOG", false), "Z:\\dx.logs\\NIGHT.LOG");
}

TEST(DefaultExtension, KeptWhenThereIsOneOrTheFileExists) {
    EXPECT_EQ(WithDefaultExtension("Z:\\logs\\DX.ULM", "LOG", false), "Z:\\logs\\DX.ULM");
    EXPECT_EQ(WithDefaultExtension("Z:\\logs\\NIGHT.", "LOG", false), "Z:\\logs\\NIGHT.");
    EXPECT_EQ(WithDefaultExtension("Z:\\logs\\NIGHT", "LOG", true), "Z:\\logs\\NIGHT");
    EXPECT_EQ(WithDefaultExtension("Z:\\logs\\", "LOG", false), "Z:\\logs\\");
    EXPECT_EQ(WithDefaultExtension("", "LOG", false), "");
}

TEST(DefaultExtension, NotAddedBeyondTheLongestLogPath) {
    std::string fits(255, 'N');
    EXPECT_EQ(WithDefaultExtension(fits, "LOG", false), fits + ".LOG");  // 259 characters
    std::string full(256, 'N');
    EXPECT_EQ(WithDefaultExtension(full, "LOG", false), full);
}

}  // namespace
