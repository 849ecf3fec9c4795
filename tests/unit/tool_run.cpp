#include "tests/unit/tool_run.h"

#include <sys/wait.h>
#include <cstdio>

ToolRun RunScheduleTool(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "'" ULMAR_SCHEDULE_TOOL "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " 2>'" + dir.Path("stderr.txt") + "'";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, got);
    int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Error = ReadBytes(dir.Path("stderr.txt"));
    return run;
}
