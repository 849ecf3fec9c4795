// Reading a schedule file: lines split at LF (a CR before it dropped), the
// header skipped, every data line checked field by field; a damaged line is
// skipped and counted, the first one kept with its reason.
#include <algorithm>

#include "platform/file.h"
#include "records/code_page_1252.h"
#include "schedule/schedule.h"
#include "schedule/schedule_fields.h"

namespace {

// Splits a line at its semicolons; false unless there are exactly ten, or
// eleven with nothing after the last.
bool SplitFields(std::string_view line, ScheduleLine* entry, std::string* reason) {
    size_t semicolons = static_cast<size_t>(std::count(line.begin(), line.end(), ';'));
    bool trailing = semicolons == 11 && line.back() == ';';
    if (semicolons != 10 && !trailing) {
        *reason = std::to_string(semicolons) + " semicolons instead of 10";
        return false;
    }
    entry->FieldStart[0] = 0;
    size_t field = 1;
    for (size_t at = 0; at < line.size() && field <= kFieldCount; ++at) {
        if (line[at] == ';') entry->FieldStart[field++] = static_cast<uint16_t>(at + 1);
    }
    if (field == kFieldCount) entry->FieldStart[kFieldCount] = static_cast<uint16_t>(line.size() + 1);
    return true;
}

std::string_view FieldOf(std::string_view line, const ScheduleLine& entry, int field) {
    return line.substr(entry.FieldStart[field], entry.FieldStart[field + 1] - 1u - entry.FieldStart[field]);
}

Persistence KindOf(int number) {
    switch (number) {
        case 8: return Persistence::Never;
        case 4: return Persistence::WinterOnly;
        case 5: return Persistence::SummerOnly;
        case 6: return Persistence::Dated;
        default: return Persistence::Always;
    }
}

// Fills `entry` from the line's text; false with a reason when it is damaged.
bool ReadLine(std::string_view line, ScheduleLine* entry, std::string* reason) {
    if (line.size() > kScheduleMaxLineBytes) {
        *reason = "longer than " + std::to_string(kScheduleMaxLineBytes) + " bytes";
        return false;
    }
    if (!SplitFields(line, entry, reason)) return false;
    int64_t milliKhz = 0;
    std::string_view khz = FieldOf(line, *entry, kFieldKhz);
    if (!ParseKhz(khz, &milliKhz) || milliKhz % 100 != 0 || milliKhz == 0 || milliKhz > 1000000000) {
        *reason = "frequency \"" + std::string(khz) + "\" is not a number of kHz with at most one decimal";
        return false;
    }
    entry->Tenths = static_cast<int32_t>(milliKhz / 100);
    std::string_view time = FieldOf(line, *entry, kFieldTime);
    if (!ParseTimeSpan(time, &entry->StartMinute, &entry->EndMinute)) {
        *reason = "time \"" + std::string(time) + "\" is not HHMM-HHMM";
        return false;
    }
    DaysForm days = ParseDays(FieldOf(line, *entry, kFieldDays));
    entry->SpecialDays = days.Special;
    entry->DayMask = days.Mask;
    entry->Kind = KindOf(PersistenceNumber(FieldOf(line, *entry, kFieldPersistence)));
    if (entry->Kind == Persistence::Dated &&
        (!ParseDayMonth(FieldOf(line, *entry, kFieldStart), &entry->FromMonthDay) ||
         !ParseDayMonth(FieldOf(line, *entry, kFieldStop), &entry->ToMonthDay))) {
        *reason = "persistence 6 without dates in the form DDMM";
        return false;
    }
    entry->Length = static_cast<uint16_t>(line.size());
    return true;
}

void CountDamaged(Schedule* schedule, uint32_t lineNumber, const std::string& reason) {
    if (schedule->LinesSkipped++ == 0) {
        schedule->FirstBadLine = static_cast<int>(lineNumber);
        schedule->FirstBadReason = reason;
    }
}

void SortByFrequency(std::vector<ScheduleLine>* lines) {
    auto byFrequency = [](const ScheduleLine& a, const ScheduleLine& b) {
        return a.Tenths != b.Tenths ? a.Tenths < b.Tenths : a.LineNumber < b.LineNumber;
    };
    // Published files are already in frequency order.
    if (!std::is_sorted(lines->begin(), lines->end(), byFrequency))
        std::sort(lines->begin(), lines->end(), byFrequency);
}

// The whole file in one buffer of its exact size; false when it cannot be read.
bool ReadWholeFile(const char* path, std::string* bytes, std::string* reason) {
    PlatformFile file;
    int64_t size = 0;
    if (!FileOpen(path, FileAccess::ReadOnly, &file)) {
        *reason = FileExists(path) ? "it cannot be opened (a folder, not permitted, or held by another program)"
                                   : "there is no such file";
        return false;
    }
    bool ok = FileSize(file, &size);
    if (ok && static_cast<uint64_t>(size) > kScheduleMaxBytes) {
        size = static_cast<int64_t>(kScheduleMaxBytes) + 1;  // enough to be refused as too large
    }
    size_t got = 0;
    if (ok) bytes->resize(static_cast<size_t>(size));
    ok = ok && FileReadAt(file, 0, &(*bytes)[0], bytes->size(), &got);
    FileClose(&file);
    if (!ok) {
        *reason = "it cannot be read";
        return false;
    }
    bytes->resize(got);
    return true;
}

std::string SkippedNote(const Schedule& schedule) {
    if (schedule.LinesSkipped == 0) return "";
    return " (" + std::to_string(schedule.LinesSkipped) + " damaged, the first line " +
           std::to_string(schedule.FirstBadLine) + ": " + schedule.FirstBadReason + ")";
}

}  // namespace

bool ParseSchedule(std::string bytes, Schedule* schedule, std::string* reason) {
    *schedule = Schedule{};
    if (bytes.size() > kScheduleMaxBytes) {
        *reason = "it is larger than " + std::to_string(kScheduleMaxBytes >> 20) + " MB, too large for a schedule";
        return false;
    }
    schedule->Utf8 = DetectUtf8(bytes);
    bytes.erase(0, Utf8BomLength(bytes));
    schedule->Bytes = std::move(bytes);
    std::string_view text(schedule->Bytes);
    schedule->Lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    uint32_t lineNumber = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ScheduleLine entry;
        entry.Offset = static_cast<uint32_t>(at);
        entry.LineNumber = ++lineNumber;
        at = end + 1;
        if (line.empty() || (lineNumber == 1 && line.substr(0, 4) == "kHz:")) continue;
        std::string why;
        if (ReadLine(line, &entry, &why)) {
            schedule->Lines.push_back(entry);
        } else {
            CountDamaged(schedule, lineNumber, why);
        }
    }
    if (schedule->Lines.empty()) {
        *reason = schedule->Bytes.empty() ? "it is empty" : "it holds no schedule line" + SkippedNote(*schedule);
        *schedule = Schedule{};
        return false;
    }
    if (schedule->Lines.size() < schedule->Lines.capacity() / 2) schedule->Lines.shrink_to_fit();
    SortByFrequency(&schedule->Lines);
    return true;
}

Schedule LoadedSchedule;

bool LoadSchedule(const char* path, Schedule* schedule, std::string* reason) {
    *schedule = Schedule{};
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, reason)) return false;
    if (!ParseSchedule(std::move(bytes), schedule, reason)) return false;
    std::string readme, readmeBytes;
    std::string ignored;
    if (FindReadmeBeside(path, &readme) && ReadWholeFile(readme.c_str(), &readmeBytes, &ignored)) {
        ReadScheduleTables(readmeBytes, &schedule->Tables);
    }
    return true;
}

std::string LoadSummary(const Schedule& schedule) {
    std::string text = std::to_string(schedule.Lines.size() + static_cast<size_t>(schedule.LinesSkipped)) +
                       " lines read, " + std::to_string(schedule.LinesSkipped) + " skipped";
    if (schedule.LinesSkipped == 0) return text;
    return text + "; the first bad one is line " + std::to_string(schedule.FirstBadLine) + ": " +
           schedule.FirstBadReason;
}

std::string_view LineText(const Schedule& schedule, const ScheduleLine& line) {
    return std::string_view(schedule.Bytes).substr(line.Offset, line.Length);
}

std::string_view LineField(const Schedule& schedule, const ScheduleLine& line, int field) {
    return FieldOf(LineText(schedule, line), line, field);
}

size_t ScheduleBytesHeld(const Schedule& schedule) {
    size_t held = sizeof schedule + schedule.Bytes.capacity() + schedule.Lines.capacity() * sizeof(ScheduleLine);
    for (const auto* table : {&schedule.Tables.Countries, &schedule.Tables.Languages}) {
        for (const CodeName& entry : *table) held += sizeof entry + entry.Code.capacity() + entry.Name.capacity();
    }
    for (const SiteName& site : schedule.Tables.Sites) {
        held += sizeof site + site.Country.capacity() + site.Code.capacity() + site.Name.capacity();
    }
    return held;
}
