// Running the command-line lookup as a listener's script runs it, keeping its
// standard output, its messages and its exit status.
#pragma once
#include <string>
#include <vector>

#include "tests/unit/test_files.h"

struct ToolRun {
    int Status = -1;  // the exit status, -1 when it did not exit
    std::string Output;
    std::string Error;
};

// Runs ulmar-schedule with `args`, its messages kept in a file of `dir`.
ToolRun RunScheduleTool(const TempDir& dir, const std::vector<std::string>& args);
