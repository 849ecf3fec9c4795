#include "tests/powerloss/crash_check.h"

#include <cstdio>

#include "logstore/log_change.h"

namespace {

std::string Brief(const std::string& bytes) {
    return std::to_string(bytes.size()) + " bytes" + (bytes.size() % 115 ? " (not whole records)" : "");
}

}  // namespace

std::string NumberedRecord(int64_t n) {
    char text[116];
    std::snprintf(text, sizeof text, "%-10s%-5s%-6lld%-20s%-24s%-50s", "08-12-2026", "07:30",
                  static_cast<long long>(n % 100000), ("STATION " + std::to_string(n)).c_str(), "Somewhere",
                  ("report number " + std::to_string(n)).c_str());
    return std::string(text, 115);
}

std::string NumberedRecords(int64_t first, int64_t last) {
    std::string bytes;
    for (int64_t n = first; n <= last; ++n) bytes += NumberedRecord(n);
    return bytes;
}

std::string OpenedLogBytes() {
    LogStore log;
    OpenLog(log, "LOG.ULM");
    CloseLog(log);
    return FileBytes("LOG.ULM");
}

CrashCheck CheckCrashStates(const std::string& operation, const DiskFiles& start,
                            const std::function<void()>& operationRun, const CrashOpening& open, CrashModel model,
                            const CrashBudget& budget) {
    ResetDisk(start);
    std::string before = open();
    ResetDisk(start);
    StartRecording();
    operationRun();
    StopRecording();
    std::string after = open();
    CrashCheck check;
    check.Operation = operation;
    check.Run = ForEachCrashState(model, budget, [&](const DiskFiles& files, const std::string& landed) {
        ResetDisk(files);
        std::string first = open();
        std::string second = open();
        if ((first == before || first == after) && second == first) return true;
        if (check.Wrong++ == 0) {
            check.FirstWrong = landed + "; opened as " + Brief(first) + " (before " + Brief(before) + ", after " +
                               Brief(after) + (second == first ? "" : "), a second opening changed it") + ")";
        }
        return true;
    });
    return check;
}

std::string CrashFigure(const CrashCheck& check, CrashModel model) {
    char possible[32];
    std::snprintf(possible, sizeof possible, "%.3g", check.Run.Possible);
    return "power loss: " + check.Operation + ", model " + CrashModelName(model) + ": " +
           std::to_string(check.Run.Visited) + " states " +
           (check.Run.Exhaustive ? "(every one)" : std::string("(sampled of ") + possible + ")") + ", " +
           std::to_string(check.Wrong) + " wrong" + (check.Wrong ? "; first: " + check.FirstWrong : "");
}

DiskFiles FirstKilledState(const DiskFiles& start, const std::function<void()>& operationRun,
                           const std::function<bool(const DiskFiles&)>& wanted) {
    ResetDisk(start);
    StartRecording();
    operationRun();
    StopRecording();
    DiskFiles found;
    ForEachCrashState(CrashModel::Prefix, CrashBudget(), [&](const DiskFiles& files, const std::string&) {
        if (!wanted(files)) return true;
        found = files;
        return false;
    });
    return found;
}
