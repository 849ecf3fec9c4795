// The log store over arbitrary starting files and operation sequences, held
// against a model: after every change the file is exactly EntryCount records,
// the records the model expects, and no other record has changed.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logstore/log_change.h"
#include "logstore/log_journal.h"
#include "logstore/log_store.h"
#include "platform/file.h"

namespace {

std::string FuzzPath() { return "/dev/shm/ulmar-fuzz-" + std::to_string(getpid()) + ".ULM"; }

void WriteFileBytes(const std::string& path, const uint8_t* data, size_t size) {
    PlatformFile file;
    if (!FileOpen(path.c_str(), FileAccess::CreateTruncate, &file)) std::abort();
    if (size && !FileWriteAt(file, 0, data, size)) std::abort();
    FileClose(&file);
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    FileReadAll(path.c_str(), &bytes, 1 << 26);
    return bytes;
}

struct Input {
    const uint8_t* Data;
    size_t Size;
    size_t Position;
    uint8_t Byte() { return Position < Size ? Data[Position++] : 0; }
    bool Done() const { return Position >= Size; }
};

LogEntry EntryFrom(Input* in) {
    LogEntry entry;
    char* bytes = reinterpret_cast<char*>(&entry);
    uint8_t seed = in->Byte();
    for (size_t i = 0; i < sizeof entry; ++i) bytes[i] = static_cast<char>(seed + i);
    return entry;
}

void CheckAgainstModel(LogStore& log, const std::vector<LogEntry>& model, const std::string& path) {
    if (log.EntryCount != static_cast<int32_t>(model.size())) std::abort();
    CloseLog(log);  // read the file as another program would see it
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() != model.size() * sizeof(LogEntry)) std::abort();
    if (!model.empty() && std::memcmp(bytes.data(), model.data(), bytes.size()) != 0) std::abort();
    if (!OpenLog(log, path) || log.EntryCount != static_cast<int32_t>(model.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // First byte: how many of the following bytes make the starting file (× 8).
    size_t initial = static_cast<size_t>(data[0]) * 8;
    if (initial > size - 1) initial = size - 1;
    std::string path = FuzzPath();
    // Each input starts with no journal: one left by an earlier process of the
    // same number (killed part way through a removal) would be recovered into
    // this input's log, as it should be for the log it was written for.
    FileDelete(JournalPath(path).c_str());
    WriteFileBytes(path, data + 1, initial);
    std::vector<LogEntry> model(initial / sizeof(LogEntry));
    if (!model.empty()) std::memcpy(model.data(), data + 1, model.size() * sizeof(LogEntry));

    LogStore log;
    if (!OpenLog(log, path) || log.EntryCount != static_cast<int32_t>(model.size())) std::abort();
    Input in = {data, size, 1 + initial};
    bool changed = false;
    while (!in.Done()) {
        uint8_t op = in.Byte() % 5;
        int32_t n = static_cast<int32_t>(in.Byte()) - 2;  // also numbers outside the log
        if (op == 0) {
            log.EntryBuffer = EntryFrom(&in);
            if (!AppendEntry(log)) std::abort();
            model.push_back(log.EntryBuffer);
            changed = true;
        } else if (op == 1) {
            log.EntryBuffer = EntryFrom(&in);
            bool inside = n >= 1 && n <= static_cast<int32_t>(model.size());
            if (WriteEntry(log, n) != inside) std::abort();
            if (inside) model[static_cast<size_t>(n) - 1] = log.EntryBuffer;
        } else if (op == 2) {
            bool inside = n >= 1 && n <= static_cast<int32_t>(model.size());
            if (RemoveEntry(log, n) != inside) std::abort();
            if (inside) model.erase(model.begin() + (n - 1));
            changed = changed || inside;
        } else if (op == 3) {
            bool inside = n >= 1 && n <= static_cast<int32_t>(model.size());
            if (ReadEntry(log, n) != inside) std::abort();
            if (inside && std::memcmp(&log.EntryBuffer, &model[static_cast<size_t>(n) - 1], sizeof(LogEntry))) {
                std::abort();
            }
        } else {
            CloseLog(log);
            if (!OpenLog(log, path)) std::abort();
        }
        // A trailing partial record from the starting file stays until a change cuts or overwrites it.
        if (changed || initial % sizeof(LogEntry) == 0) CheckAgainstModel(log, model, path);
    }
    CloseLog(log);
    FileDelete(path.c_str());
    FileDelete(JournalPath(path).c_str());
    return 0;
}
