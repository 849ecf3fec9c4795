#include "tests/powerloss/crash_states.h"

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

// The recording the states are built from, copied so that a visit may reset the disk.
SimulatedDisk g_recorded;

// One place where a power cut has a choice: a folder operation (applied or
// not), a file's length (its flushed one or any later one) or a dirty sector
// (its flushed content or any later version).
struct Choice {
    enum { Folder, Length, Sector } Kind = Sector;
    int Inode = 0;
    int64_t Index = 0;  // the folder operation, or the sector
    std::vector<std::string> Versions;
    std::vector<int64_t> Lengths;
    std::vector<size_t> FromOp;  // the operation that made each version after the first
    size_t Options() const { return Kind == Folder ? 2 : Kind == Length ? Lengths.size() : Versions.size(); }
};

struct FileTrack {
    std::string Current, Durable;
    std::vector<int64_t> Lengths;  // since the flush, after each change of length
    std::vector<size_t> LengthOps;
    std::map<int64_t, std::vector<std::string>> Sectors;  // since the flush
    std::map<int64_t, std::vector<size_t>> SectorOps;
};

// What the disk holds just before one operation, with every choice open.
struct CrashPoint {
    size_t Before = 0;
    std::map<std::string, int> DurableNames;
    std::vector<DiskOp> FolderOps;
    std::vector<size_t> FolderOpIndex;
    std::map<int, std::string> Durable;
    std::vector<Choice> Choices;
};

std::string SectorOf(const std::string& bytes, int64_t sector) {
    std::string out(static_cast<size_t>(kSectorBytes), '\0');
    size_t start = static_cast<size_t>(sector * kSectorBytes);
    if (start < bytes.size()) out.replace(0, std::min(out.size(), bytes.size() - start), bytes, start, out.size());
    return out;
}

void ApplyFolderOp(std::map<std::string, int>& names, const DiskOp& op) {
    if (op.Kind == DiskOpKind::Create || op.Kind == DiskOpKind::Link) names[op.Name] = op.Inode;
    if (op.Kind == DiskOpKind::Delete) names.erase(op.Name);
    if (op.Kind == DiskOpKind::Rename && names.count(op.Name)) {
        names[op.To] = names[op.Name];
        names.erase(op.Name);
    }
}

struct Tracker {
    std::map<int, FileTrack> Files;
    std::map<std::string, int> Names, DurableNames;
    std::vector<DiskOp> FolderOps;
    std::vector<size_t> FolderOpIndex;

    void NoteLength(FileTrack& file, size_t at) {
        file.Lengths.push_back(static_cast<int64_t>(file.Current.size()));
        file.LengthOps.push_back(at);
    }
    void Apply(const DiskOp& op, size_t at) {
        FileTrack& file = Files[op.Inode];
        switch (op.Kind) {
            case DiskOpKind::Write: {
                size_t end = static_cast<size_t>(op.Offset) + op.Bytes.size();
                bool grows = end > file.Current.size();
                if (grows) file.Current.resize(end, '\0');
                file.Current.replace(static_cast<size_t>(op.Offset), op.Bytes.size(), op.Bytes);
                for (int64_t s = op.Offset / kSectorBytes; s * kSectorBytes < static_cast<int64_t>(end); ++s) {
                    file.Sectors[s].push_back(SectorOf(file.Current, s));
                    file.SectorOps[s].push_back(at);
                }
                if (grows) NoteLength(file, at);
                break;
            }
            case DiskOpKind::SetLength: {
                // Cutting a file writes no sector: the bytes past the new end
                // stay on the disk until the new length lands.
                file.Current.resize(static_cast<size_t>(op.Offset), '\0');
                NoteLength(file, at);
                break;
            }
            case DiskOpKind::Flush:
                file.Durable = file.Current;
                file.Lengths.clear();
                file.LengthOps.clear();
                file.Sectors.clear();
                file.SectorOps.clear();
                break;
            case DiskOpKind::FolderFlush: {
                // Only that folder's entries reach the disk; the others stay open.
                std::vector<DiskOp> open;
                std::vector<size_t> openIndex;
                for (size_t i = 0; i < FolderOps.size(); ++i) {
                    if (FolderOfName(FolderOps[i].Name) == op.Name) {
                        ApplyFolderOp(DurableNames, FolderOps[i]);
                    } else {
                        open.push_back(FolderOps[i]);
                        openIndex.push_back(FolderOpIndex[i]);
                    }
                }
                FolderOps = open;
                FolderOpIndex = openIndex;
                break;
            }
            default:
                ApplyFolderOp(Names, op);
                FolderOps.push_back(op);
                FolderOpIndex.push_back(at);
                break;
        }
    }
    CrashPoint Snapshot(size_t before) const {
        CrashPoint point;
        point.Before = before;
        point.DurableNames = DurableNames;
        point.FolderOps = FolderOps;
        point.FolderOpIndex = FolderOpIndex;
        for (size_t i = 0; i < FolderOps.size(); ++i) {
            Choice choice;
            choice.Kind = Choice::Folder;
            choice.Index = static_cast<int64_t>(i);
            point.Choices.push_back(choice);
        }
        for (const auto& entry : Files) AddFileChoices(point, entry.first, entry.second);
        return point;
    }
    static void AddFileChoices(CrashPoint& point, int inode, const FileTrack& file) {
        point.Durable[inode] = file.Durable;
        if (!file.Lengths.empty()) {
            Choice length;
            length.Kind = Choice::Length;
            length.Inode = inode;
            length.Lengths.push_back(static_cast<int64_t>(file.Durable.size()));
            length.Lengths.insert(length.Lengths.end(), file.Lengths.begin(), file.Lengths.end());
            length.FromOp = file.LengthOps;
            point.Choices.push_back(length);
        }
        for (const auto& sector : file.Sectors) {
            Choice choice;
            choice.Kind = Choice::Sector;
            choice.Inode = inode;
            choice.Index = sector.first;
            choice.Versions.push_back(SectorOf(file.Durable, sector.first));
            choice.Versions.insert(choice.Versions.end(), sector.second.begin(), sector.second.end());
            choice.FromOp = file.SectorOps.at(sector.first);
            point.Choices.push_back(choice);
        }
    }
};

Tracker StartTracker() {
    Tracker tracker;
    tracker.Names = g_recorded.StartNames;
    tracker.DurableNames = g_recorded.StartNames;
    for (const auto& entry : g_recorded.StartContents) {
        tracker.Files[entry.first].Current = entry.second;
        tracker.Files[entry.first].Durable = entry.second;
    }
    return tracker;
}

std::vector<CrashPoint> CrashPoints() {
    Tracker tracker = StartTracker();
    std::vector<CrashPoint> points;
    for (size_t i = 0; i < g_recorded.Ops.size(); ++i) {
        DiskOpKind kind = g_recorded.Ops[i].Kind;
        if (kind == DiskOpKind::Flush || kind == DiskOpKind::FolderFlush) points.push_back(tracker.Snapshot(i));
        tracker.Apply(g_recorded.Ops[i], i);
    }
    points.push_back(tracker.Snapshot(g_recorded.Ops.size()));
    return points;
}

std::string Garbage(uint64_t seed) {
    std::mt19937_64 random(seed);
    std::string bytes(static_cast<size_t>(kSectorBytes), '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string NameOfInode(const CrashPoint& point, int inode) {
    for (const auto& name : point.DurableNames) {
        if (name.second == inode) return name.first;
    }
    for (const DiskOp& op : point.FolderOps) {
        if (op.Inode == inode) return op.Name;
    }
    return "file " + std::to_string(inode);
}

// `picks[i]` is the option of choice i; `garbage` the sector choice turned to garbage, or -1.
DiskFiles Build(const CrashPoint& point, const std::vector<size_t>& picks, int64_t garbage, uint64_t seed) {
    std::map<std::string, int> names = point.DurableNames;
    std::map<int, std::string> contents = point.Durable;
    std::map<int, int64_t> lengths;
    for (const auto& file : contents) lengths[file.first] = static_cast<int64_t>(file.second.size());
    for (size_t i = 0; i < point.Choices.size(); ++i) {
        const Choice& choice = point.Choices[i];
        if (choice.Kind == Choice::Folder && picks[i] == 1) ApplyFolderOp(names, point.FolderOps[choice.Index]);
        if (choice.Kind == Choice::Length) lengths[choice.Inode] = choice.Lengths[picks[i]];
    }
    for (size_t i = 0; i < point.Choices.size(); ++i) {
        const Choice& choice = point.Choices[i];
        if (choice.Kind != Choice::Sector) continue;
        std::string& bytes = contents[choice.Inode];
        size_t start = static_cast<size_t>(choice.Index * kSectorBytes);
        if (bytes.size() < start + kSectorBytes) bytes.resize(start + kSectorBytes, '\0');
        bytes.replace(start, kSectorBytes,
                      static_cast<int64_t>(i) == garbage ? Garbage(seed) : choice.Versions[picks[i]]);
    }
    DiskFiles files;
    for (const auto& name : names) {
        std::string bytes = contents[name.second];
        bytes.resize(static_cast<size_t>(lengths[name.second]), '\0');
        files[name.first] = bytes;
    }
    return files;
}

const char* OpName(DiskOpKind kind) {
    switch (kind) {
        case DiskOpKind::Create: return "create";
        case DiskOpKind::Write: return "write";
        case DiskOpKind::SetLength: return "set-length";
        case DiskOpKind::Flush: return "flush";
        case DiskOpKind::Rename: return "rename";
        case DiskOpKind::Delete: return "delete";
        case DiskOpKind::FolderFlush: return "folder flush";
        case DiskOpKind::Link: return "link";
    }
    return "?";
}

std::string DescribeOp(size_t index) {
    if (index >= g_recorded.Ops.size()) return "the end";
    const DiskOp& op = g_recorded.Ops[index];
    std::string text = "op " + std::to_string(index) + " (" + OpName(op.Kind);
    if (op.Kind == DiskOpKind::Write) {
        text += " " + std::to_string(op.Bytes.size()) + " bytes at " + std::to_string(op.Offset);
    }
    if (op.Kind == DiskOpKind::SetLength) text += " to " + std::to_string(op.Offset);
    if (!op.Name.empty()) text += " " + op.Name;
    return text + ")";
}

std::string Describe(const CrashPoint& point, const std::vector<size_t>& picks, int64_t garbage) {
    std::string landed, dropped;
    for (size_t i = 0; i < point.Choices.size(); ++i) {
        const Choice& choice = point.Choices[i];
        std::string what;
        if (choice.Kind == Choice::Folder) what = DescribeOp(point.FolderOpIndex[choice.Index]);
        if (choice.Kind == Choice::Length) what = NameOfInode(point, choice.Inode) + " length";
        if (choice.Kind == Choice::Sector) {
            what = NameOfInode(point, choice.Inode) + " sector " + std::to_string(choice.Index);
        }
        if (static_cast<int64_t>(i) == garbage) {
            landed += "; " + what + " garbage";
        } else if (picks[i] == 0) {
            dropped += "; " + what;
        } else if (choice.Kind != Choice::Folder) {
            size_t op = choice.FromOp[picks[i] - 1];
            std::string value = choice.Kind == Choice::Length ? std::to_string(choice.Lengths[picks[i]]) : "";
            landed += "; " + what + " " + value + " from " + DescribeOp(op);
        } else {
            landed += "; " + what;
        }
    }
    return "crash before " + DescribeOp(point.Before) + ", landed:" + (landed.empty() ? " nothing" : landed.substr(1)) +
           ", not landed:" + (dropped.empty() ? " nothing" : dropped.substr(1));
}

double StateCount(const CrashPoint& point, bool torn) {
    double count = 1;
    int64_t sectors = 0;
    for (const Choice& choice : point.Choices) {
        count *= static_cast<double>(choice.Options());
        if (choice.Kind == Choice::Sector) ++sectors;
    }
    return torn ? count * static_cast<double>(sectors) : count;
}

std::vector<int64_t> SectorChoices(const CrashPoint& point) {
    std::vector<int64_t> sectors;
    for (size_t i = 0; i < point.Choices.size(); ++i) {
        if (point.Choices[i].Kind == Choice::Sector) sectors.push_back(static_cast<int64_t>(i));
    }
    return sectors;
}

// Calls `each` with every pick vector of the point, in mixed radix order.
bool EveryPick(const CrashPoint& point, const std::function<bool(const std::vector<size_t>&)>& each) {
    std::vector<size_t> picks(point.Choices.size(), 0);
    for (;;) {
        if (!each(picks)) return false;
        size_t i = 0;
        while (i < picks.size() && ++picks[i] == point.Choices[i].Options()) picks[i++] = 0;
        if (i == picks.size()) return true;
    }
}

// Nothing landed, everything landed, and each choice alone at its first or last
// option against the rest at the other end; then seeded random picks.
std::vector<std::vector<size_t>> TargetedPicks(const CrashPoint& point, int64_t samples, std::mt19937_64& random) {
    size_t n = point.Choices.size();
    std::vector<size_t> none(n, 0), all(n);
    for (size_t i = 0; i < n; ++i) all[i] = point.Choices[i].Options() - 1;
    std::vector<std::vector<size_t>> picks = {none, all};
    // Above the sample count the single choices are taken evenly spread.
    size_t stride = std::max<size_t>(1, 2 * n / static_cast<size_t>(std::max<int64_t>(1, samples)));
    for (size_t i = 0; i < n; i += stride) {
        std::vector<size_t> alone = none, dropped = all;
        alone[i] = all[i];
        dropped[i] = 0;
        picks.push_back(alone);
        picks.push_back(dropped);
    }
    for (int64_t s = 0; s < samples; ++s) {
        std::vector<size_t> pick(n);
        for (size_t i = 0; i < n; ++i) pick[i] = random() % point.Choices[i].Options();
        picks.push_back(pick);
    }
    return picks;
}

CrashRun PrefixStates(const CrashBudget& budget, const CrashVisit& visit) {
    CrashRun run;
    run.Possible = static_cast<double>(g_recorded.Ops.size() + 1);
    run.Exhaustive = run.Possible <= budget.Exhaustive;
    size_t step = run.Exhaustive ? 1 : std::max<size_t>(1, g_recorded.Ops.size() / static_cast<size_t>(budget.Samples));
    std::map<std::string, int> names = g_recorded.StartNames;
    std::map<int, std::string> contents = g_recorded.StartContents;
    for (size_t k = 0; k <= g_recorded.Ops.size(); ++k) {
        if (k % step == 0 || k == g_recorded.Ops.size()) {
            DiskFiles files;
            for (const auto& name : names) files[name.first] = contents[name.second];
            ++run.Visited;
            if (!visit(files, "the first " + std::to_string(k) + " of " + std::to_string(g_recorded.Ops.size()) +
                                  " operations, crash before " + DescribeOp(k))) {
                return run;
            }
        }
        if (k == g_recorded.Ops.size()) break;
        const DiskOp& op = g_recorded.Ops[k];
        std::string& bytes = contents[op.Inode];
        if (op.Kind == DiskOpKind::Write) {
            if (bytes.size() < op.Offset + op.Bytes.size()) bytes.resize(op.Offset + op.Bytes.size(), '\0');
            bytes.replace(static_cast<size_t>(op.Offset), op.Bytes.size(), op.Bytes);
        } else if (op.Kind == DiskOpKind::SetLength) {
            bytes.resize(static_cast<size_t>(op.Offset), '\0');
        } else {
            ApplyFolderOp(names, op);
        }
    }
    return run;
}

}  // namespace

const char* CrashModelName(CrashModel model) {
    return model == CrashModel::Prefix ? "P" : model == CrashModel::Sectors ? "S" : "T";
}

CrashRun ForEachCrashState(CrashModel model, const CrashBudget& budget, const CrashVisit& visit) {
    g_recorded = Disk;
    if (model == CrashModel::Prefix) return PrefixStates(budget, visit);
    bool torn = model == CrashModel::Torn;
    std::vector<CrashPoint> points = CrashPoints();
    CrashRun run;
    for (const CrashPoint& point : points) run.Possible += StateCount(point, torn);
    run.Exhaustive = run.Possible <= budget.Exhaustive;
    std::mt19937_64 random(budget.Seed);
    int64_t perPoint = std::max<int64_t>(1, budget.Samples / static_cast<int64_t>(points.size()));
    for (const CrashPoint& point : points) {
        std::vector<int64_t> garbage = torn ? SectorChoices(point) : std::vector<int64_t>{-1};
        if (garbage.empty()) continue;
        auto one = [&](const std::vector<size_t>& picks, int64_t bad) {
            ++run.Visited;
            uint64_t seed = random();
            return visit(Build(point, picks, bad, seed), Describe(point, picks, bad));
        };
        if (run.Exhaustive) {
            for (int64_t bad : garbage) {
                if (!EveryPick(point, [&](const std::vector<size_t>& picks) { return one(picks, bad); })) return run;
            }
            continue;
        }
        for (const auto& picks : TargetedPicks(point, perPoint, random)) {
            if (!one(picks, garbage[random() % garbage.size()])) return run;
        }
    }
    return run;
}
