// The command-line lookup, run as listeners' scripts run it: its standard
// output byte for byte, its messages and its exit status.
#include <gtest/gtest.h>

#include "tests/unit/schedule_lines.h"
#include "tests/unit/test_files.h"
#include "tests/unit/tool_run.h"

namespace {

const std::string kExact = "9410;0600-0700;;G;Radio Ex\xE9mple;E;Eu;w;1;;";
const std::string kSpecial = "9410;0000-2400;irr;D;Alpha;D;Eu;;;;";
const std::string kNear = "9412;0630-0800;Mo-Fr;F;Near;F;Af;;;;";
const std::string kOff = "9410;0600-0700;Sa;G;Saturday;E;Eu;;1;;";

TEST(ScheduleTool, PrintsTheLinesOwnBytesBestFirst) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kNear, kOff, kSpecial, kExact}, "\r\n"));
    ToolRun exact = RunScheduleTool(dir, {dir.Path("sked.csv"), "9410", "2026-06-15T06:45"});
    EXPECT_EQ(exact.Status, 0);
    EXPECT_EQ(exact.Output, kExact + "\n" + kSpecial + "\n");
    EXPECT_EQ(exact.Error, "");
    ToolRun near = RunScheduleTool(dir, {"--within", "2", dir.Path("sked.csv"), "9410.0", "2026-06-15T06:45"});
    EXPECT_EQ(near.Status, 0);
    EXPECT_EQ(near.Output, kExact + "\n" + kSpecial + "\n" + kNear + "\n");
    ToolRun fraction = RunScheduleTool(dir, {"--within", "1.5", dir.Path("sked.csv"), "9410", "2026-06-15T06:45"});
    EXPECT_EQ(fraction.Output, kExact + "\n" + kSpecial + "\n");
}

TEST(ScheduleTool, NoCandidateIsNoOutputAndSuccess) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kExact, kOff}, "\n") + "damaged line\n");
    ToolRun run = RunScheduleTool(dir, {dir.Path("sked.csv"), "9410", "2026-06-20T07:00"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output, "");
    EXPECT_EQ(run.Error, "");
    ToolRun saturday = RunScheduleTool(dir, {dir.Path("sked.csv"), "9410", "2026-06-20T06:00"});
    EXPECT_EQ(saturday.Output, kExact + "\n" + kOff + "\n");
}

TEST(ScheduleTool, UnreadableFileNamedWithItsReasonExitOne) {
    TempDir dir;
    ToolRun missing = RunScheduleTool(dir, {dir.Path("none.csv"), "9410", "2026-06-15T06:45"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Output, "");
    EXPECT_EQ(missing.Error, "ulmar-schedule: cannot read " + dir.Path("none.csv") + ": there is no such file\n");
    WriteBytes(dir.Path("empty.csv"), "");
    ToolRun empty = RunScheduleTool(dir, {dir.Path("empty.csv"), "9410", "2026-06-15T06:45"});
    EXPECT_EQ(empty.Status, 1);
    EXPECT_EQ(empty.Error, "ulmar-schedule: cannot read " + dir.Path("empty.csv") + ": it is empty\n");
}

TEST(ScheduleTool, BadArgumentsGiveTheUsageExitTwo) {
    TempDir dir;
    WriteBytes(dir.Path("sked.csv"), SkedFile({kExact}));
    std::string file = dir.Path("sked.csv");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {file, "9410"},
        {file, "9410", "2026-06-15T06:45", "extra"},
        {file, "nine", "2026-06-15T06:45"},
        {file, "9410", "2026-06-15 06:45"},
        {file, "9410", "2026-02-30T06:45"},
        {"--within", "-1", file, "9410", "2026-06-15T06:45"},
        {"--within", "x", file, "9410", "2026-06-15T06:45"},
        {"--within", file, "9410", "2026-06-15T06:45"},
        {file, "9410", "2026-06-15T06:45", "--within", "5"},
        {"", "9410", "2026-06-15T06:45"},
    };
    for (const auto& args : cases) {
        ToolRun run = RunScheduleTool(dir, args);
        EXPECT_EQ(run.Status, 2) << args.size();
        EXPECT_EQ(run.Output, "");
        EXPECT_EQ(run.Error.rfind("usage: ulmar-schedule [--within K] FILE KHZ YYYY-MM-DDTHH:MM\n", 0), 0u)
            << run.Error;
    }
}

}  // namespace
