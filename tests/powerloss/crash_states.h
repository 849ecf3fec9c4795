// The disks a power cut can leave after the operations SimulatedDisk recorded,
// in three models, weakest promise last:
//   Prefix:  the operations happened in order up to some point (a kill);
//   Sectors: at each flush and at the end, every sector written since its file's
//            last flush holds its old content or the content after any one of
//            the writes that touched it; each size change and each create,
//            rename and delete since the last folder flush happened or not;
//            a file extended past its flushed length reads as zeros there;
//   Torn:    Sectors, plus any one of those sectors turned to garbage.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "tests/powerloss/simulated_disk.h"

enum class CrashModel { Prefix, Sectors, Torn };

constexpr int64_t kSectorBytes = 512;

struct CrashBudget {
    // Up to this many states every one is built; above it, seeded samples plus
    // the targeted states (each crash point with nothing and with everything
    // landed, and each one sector or operation landed or dropped alone).
    int64_t Exhaustive = 100000;
    int64_t Samples = 4000;
    uint64_t Seed = 20261208;
};

struct CrashRun {
    int64_t Visited = 0;
    double Possible = 0;  // how many states the model allows
    bool Exhaustive = false;
};

// `landed` says in words which of the recorded operations reached the disk.
using CrashVisit = std::function<bool(const DiskFiles& files, const std::string& landed)>;

// Builds the states of `model` from Disk's start and its recorded operations and
// calls `visit` on each until it returns false.
CrashRun ForEachCrashState(CrashModel model, const CrashBudget& budget, const CrashVisit& visit);
const char* CrashModelName(CrashModel model);
