// Runs an operation on the simulated disk, then opens every crash state it can
// leave with the program's own opening and checks what the opening made of it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "tests/powerloss/crash_states.h"

// Opens the files of a crash state as the program does at start (with any
// recovery) and returns the bytes that must be the before or the after.
using CrashOpening = std::function<std::string()>;

struct CrashCheck {
    std::string Operation;
    CrashRun Run;
    int64_t Wrong = 0;
    std::string FirstWrong;  // which writes landed, and what the opening made of it
};

// Puts `start` on the disk, records `operation`, and checks every state of
// `model`: the first opening gives the before or the after, a second changes nothing.
CrashCheck CheckCrashStates(const std::string& operation, const DiskFiles& start,
                            const std::function<void()>& operationRun, const CrashOpening& open, CrashModel model,
                            const CrashBudget& budget = CrashBudget());
// One line for the figures: operation, model, states explored, wrong ones.
std::string CrashFigure(const CrashCheck& check, CrashModel model);

// A record numbered `n`: its bytes differ from every other number's.
std::string NumberedRecord(int64_t n);
// Records first..last, in order.
std::string NumberedRecords(int64_t first, int64_t last);
// The bytes of the log "LOG.ULM" after the program opens it and closes it again.
std::string OpenedLogBytes();
// The files a kill leaves at the first point of `operationRun` (after each of
// its operations, in order) where `wanted` holds; empty when it never does.
DiskFiles FirstKilledState(const DiskFiles& start, const std::function<void()>& operationRun,
                           const std::function<bool(const DiskFiles&)>& wanted);
