#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/file.h"
#include "test_files.h"

namespace {

struct OpenFile {
    OpenFile(const std::string& path) { EXPECT_TRUE(FileOpen(path.c_str(), FileAccess::ReadWrite, &File)); }
    ~OpenFile() { FileClose(&File); }
    PlatformFile File;
};

}  // namespace

// Another spelling of the same file is the same file; another file, even with the
// same bytes, is not; a name of nothing is nobody's.
TEST(FileIdentity, NamesAreJudgedByTheFileTheyReach) {
    TempDir dir;
    WriteBytes(dir.Path("MYLOG.ULM"), "same bytes");
    WriteBytes(dir.Path("OTHER.ULM"), "same bytes");
    ASSERT_EQ(mkdir(dir.Path("sub").c_str(), 0700), 0);
    ASSERT_EQ(symlink(dir.Path("MYLOG.ULM").c_str(), dir.Path("LINKED.ULM").c_str()), 0);
    ASSERT_EQ(link(dir.Path("MYLOG.ULM").c_str(), dir.Path("SECOND.ULM").c_str()), 0);
    OpenFile log(dir.Path("MYLOG.ULM"));
    struct Case {
        std::string Path;
        bool Same;
    } cases[] = {
        {dir.Path("MYLOG.ULM"), true},    {dir.Path("sub/../MYLOG.ULM"), true},
        {dir.Path("./MYLOG.ULM"), true},  {dir.Path("LINKED.ULM"), true},
        {dir.Path("SECOND.ULM"), true},   {dir.Path("OTHER.ULM"), false},
        {dir.Path("MISSING.ULM"), false}, {dir.Path("sub"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(FileIsSameAs(log.File, c.Path.c_str()), c.Same) << c.Path;
}
