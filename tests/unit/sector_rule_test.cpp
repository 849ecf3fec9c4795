// The sector rule for reads past the cache, and the platform's folder and
// replace calls the backup builds on.
#include "platform/sector_rule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/unit/test_files.h"

namespace {

TEST(SectorRule, AlignmentFromTheReportedSectorSize) {
    EXPECT_EQ(UnbufferedAlignment(0), 4096u);    // unknown: a multiple of every usual size
    EXPECT_EQ(UnbufferedAlignment(512), 4096u);  // 4096 is eight 512-byte sectors
    EXPECT_EQ(UnbufferedAlignment(4096), 4096u);
    EXPECT_EQ(UnbufferedAlignment(8192), 8192u);
    EXPECT_EQ(UnbufferedAlignment(65536), 65536u);
    EXPECT_EQ(UnbufferedAlignment(131072), 0u);  // beyond any real sector: use the cache
    EXPECT_EQ(UnbufferedAlignment(520), 0u);     // not a power of two
    EXPECT_EQ(UnbufferedAlignment(3), 0u);
}

TEST(SectorRule, ChunksAreWholeSectors) {
    EXPECT_EQ(UnbufferedChunk(1 << 20, 4096), size_t{1} << 20);
    EXPECT_EQ(UnbufferedChunk(1000000, 4096), 999424u);  // 244 sectors
    EXPECT_EQ(UnbufferedChunk(100, 4096), 4096u);        // never less than one sector
    EXPECT_EQ(UnbufferedChunk(1000000, 65536), 983040u);
}

TEST(SectorRule, AddressOffsetAndLengthMustAllBeMultiples) {
    AlignedBuffer buffer = MakeAlignedBuffer(8192, 4096);
    EXPECT_TRUE(FollowsSectorRule(buffer.Data, 0, 8192, 4096));
    EXPECT_TRUE(FollowsSectorRule(buffer.Data, 4096 * 1000, 4096, 4096));
    EXPECT_FALSE(FollowsSectorRule(buffer.Data + 512, 0, 4096, 4096));  // address
    EXPECT_FALSE(FollowsSectorRule(buffer.Data, 115, 4096, 4096));      // offset
    EXPECT_FALSE(FollowsSectorRule(buffer.Data, 0, 4096 + 115, 4096));  // length
    EXPECT_FALSE(FollowsSectorRule(buffer.Data, -4096, 4096, 4096));
    EXPECT_FALSE(FollowsSectorRule(buffer.Data, 0, 4096, 0));
}

TEST(SectorRule, AlignedBufferStartsOnTheBoundaryAndHoldsItsSize) {
    for (uint32_t alignment : {512u, 4096u, 65536u}) {
        AlignedBuffer buffer = MakeAlignedBuffer(3 * alignment, alignment);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer.Data) % alignment, 0u) << alignment;
        EXPECT_EQ(buffer.Size, 3u * alignment);
        EXPECT_LE(buffer.Data + buffer.Size, buffer.Storage.data() + buffer.Storage.size());
    }
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

// Reads a file the way the backup reads its copy back: whole sectors, short at the end.
TEST(SectorReads, WholeFileOfAnySizeReadsBackExactly) {
    TempDir dir;
    std::string path = dir.Path("copy.bin");
    uint32_t alignment = UnbufferedAlignment(FileSectorSize(path.c_str()));
    ASSERT_NE(alignment, 0u);
    for (size_t size : {size_t{0}, size_t{1}, size_t{4095}, size_t{4096}, size_t{4097}, size_t{115 * 1000}}) {
        std::string bytes = Pattern(size);
        WriteBytes(path, bytes);
        PlatformFile file;
        ASSERT_TRUE(FileOpen(path.c_str(), FileAccess::ReadUnbuffered, &file)) << size;
        AlignedBuffer buffer = MakeAlignedBuffer(UnbufferedChunk(16384, alignment), alignment);
        std::string read;
        for (int64_t offset = 0;; offset += static_cast<int64_t>(buffer.Size)) {
            size_t got = 0;
            ASSERT_TRUE(FileReadSectors(file, offset, buffer.Data, buffer.Size, alignment, &got)) << size;
            read.append(buffer.Data, got);
            if (got < buffer.Size) break;
        }
        FileClose(&file);
        EXPECT_EQ(read, bytes) << size;
    }
}

TEST(SectorReads, UnalignedRequestsAreRefusedAsOnWindows) {
    TempDir dir;
    std::string path = dir.Path("copy.bin");
    WriteBytes(path, Pattern(20000));
    PlatformFile file;
    ASSERT_TRUE(FileOpen(path.c_str(), FileAccess::ReadUnbuffered, &file));
    AlignedBuffer buffer = MakeAlignedBuffer(8192, 4096);
    size_t got = 99;
    EXPECT_FALSE(FileReadSectors(file, 115, buffer.Data, 4096, 4096, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(FileReadSectors(file, 0, buffer.Data + 1, 4096, 4096, &got));
    EXPECT_FALSE(FileReadSectors(file, 0, buffer.Data, 4000, 4096, &got));
    EXPECT_TRUE(FileReadSectors(file, 4096, buffer.Data, 4096, 4096, &got));
    EXPECT_EQ(std::string(buffer.Data, got), Pattern(20000).substr(4096, 4096));
    FileClose(&file);
}

TEST(PlatformFolders, CreateListReplace) {
    TempDir dir;
    std::string folder = dir.Path("A:ULMAR-BACKUP");
    EXPECT_TRUE(FolderCreate(folder.c_str()));
    EXPECT_TRUE(FolderCreate(folder.c_str()));  // already there is fine
    WriteBytes(dir.Path("plain"), "x");
    EXPECT_FALSE(FolderCreate(dir.Path("plain").c_str()));  // a file stands there

    WriteBytes(folder + "/one", "1");
    WriteBytes(folder + "/two", "22");
    ASSERT_TRUE(FolderCreate((folder + "/sub").c_str()));
    std::vector<std::string> names;
    ASSERT_TRUE(FolderList(folder.c_str(), &names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));  // no folders, no . or ..
    EXPECT_FALSE(FolderList(dir.Path("missing").c_str(), &names));

    EXPECT_TRUE(FileReplace((folder + "/two").c_str(), (folder + "/one").c_str()));
    EXPECT_EQ(ReadBytes(folder + "/one"), "22");
    EXPECT_FALSE(FileExists((folder + "/two").c_str()));
    EXPECT_FALSE(FileReplace((folder + "/gone").c_str(), (folder + "/one").c_str()));
    EXPECT_EQ(ReadBytes(folder + "/one"), "22");
}

}  // namespace
