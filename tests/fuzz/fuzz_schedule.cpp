// The schedule reader and the README tables over arbitrary bytes, and a
// lookup in whatever was read: every kept line is whole and well formed, the
// lines stay sorted, candidates are within the tolerance in rank order, and
// the texts for the log hold no control or undefined code page 1252 byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "schedule/candidate_text.h"
#include "schedule/on_air.h"

namespace {

void CheckText1252(const std::string& text, size_t width) {
    if (text.size() > width) std::abort();
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        // Code page 1252 leaves only these five undefined; the rest of 0x80..0x9F
        // ("€", "Š", "…") are its own characters and kept.
        bool undefined = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        if (byte < 0x20 || byte == 0x7F || undefined) std::abort();
    }
}

void CheckLines(const Schedule& schedule) {
    for (size_t i = 0; i < schedule.Lines.size(); ++i) {
        const ScheduleLine& line = schedule.Lines[i];
        if (line.Offset + size_t{line.Length} > schedule.Bytes.size()) std::abort();
        std::string_view text = LineText(schedule, line);
        size_t semicolons = static_cast<size_t>(std::count(text.begin(), text.end(), ';'));
        if (text.find('\n') != text.npos || (semicolons != 10 && semicolons != 11)) std::abort();
        if (line.StartMinute > 1439 || line.EndMinute > 1440 || line.Tenths <= 0) std::abort();
        if (i > 0 && schedule.Lines[i - 1].Tenths > line.Tenths) std::abort();
    }
}

void CheckLookUp(const Schedule& schedule, const uint8_t* data, size_t size) {
    if (schedule.Lines.empty() || size < 4) return;
    const ScheduleLine& near = schedule.Lines[data[0] % schedule.Lines.size()];
    int64_t milliKhz = near.Tenths * int64_t{100} + (data[1] % 7) * 500 - 1500;
    int64_t within = (data[2] % 4) * 1000;
    ScheduleTime when{2024 + data[3] % 4, 1 + data[1] % 12, 1 + data[2] % 28, data[0] % 24, data[3] % 60};
    std::vector<uint32_t> found;
    FindCandidates(schedule, milliKhz, within, when, &found);
    int64_t last = -1;
    for (uint32_t index : found) {
        const ScheduleLine& line = schedule.Lines.at(index);
        int64_t distance = std::llabs(line.Tenths * int64_t{100} - milliKhz);
        if (distance > within || distance < last || !OnAirAt(line, when)) std::abort();
        last = distance;
        CheckText1252(CandidateStation(schedule, line), kStationWidth);
        CheckText1252(CandidateLocation(schedule, line), kLocationWidth);
        CheckText1252(CandidateRow(schedule, line), 4096);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ScheduleTables tables;
    ReadScheduleTables(bytes, &tables);
    for (const SiteName& site : tables.Sites) CheckText1252(site.Name, 4096);
    Schedule schedule;
    std::string reason;
    bool read = ParseSchedule(bytes, &schedule, &reason);
    if (!read && reason.empty()) std::abort();
    if (read != !schedule.Lines.empty()) std::abort();
    schedule.Tables = tables;
    CheckLines(schedule);
    CheckLookUp(schedule, data, size);
    return 0;
}
