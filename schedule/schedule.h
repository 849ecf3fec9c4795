// A broadcast schedule file in memory: the file's bytes kept once, one compact
// record per usable line sorted by frequency (so a lookup is a binary search),
// and the code tables of a README.TXT lying beside the file.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/schedule_tables.h"

// The eleven fields of a data line, in file order.
enum ScheduleField {
    kFieldKhz,
    kFieldTime,
    kFieldDays,
    kFieldItu,
    kFieldStation,
    kFieldLanguage,
    kFieldTarget,
    kFieldRemarks,
    kFieldPersistence,
    kFieldStart,
    kFieldStop,
    kFieldCount
};

// What the persistence field means once 90 is taken off a value of 90 or more.
enum class Persistence : uint8_t { Always, WinterOnly, SummerOnly, Dated, Never };

struct ScheduleLine {
    uint32_t Offset = 0;                   // first byte of the line in Schedule::Bytes
    uint32_t LineNumber = 0;               // 1-based, in the file; also the file order
    int32_t Tenths = 0;                    // frequency in tenths of a kHz
    uint16_t FieldStart[kFieldCount + 1];  // field i is [FieldStart[i], FieldStart[i+1] - 1)
    uint16_t Length = 0;                   // bytes of the line without its line end
    uint16_t StartMinute = 0;              // 0..1439, inclusive
    uint16_t EndMinute = 0;                // 0..1440, exclusive (1440 = 2400)
    uint16_t FromMonthDay = 0;             // P 6 bounds as month * 100 + day; 0 = open
    uint16_t ToMonthDay = 0;
    uint8_t DayMask = 0;       // plain days: bit 0 Monday .. bit 6 Sunday
    bool SpecialDays = false;  // the days field is a special code
    Persistence Kind = Persistence::Always;
};

struct Schedule {
    std::string Bytes;                // the file as read, a UTF-8 byte-order mark dropped
    bool Utf8 = false;                // else Latin-1 (read as code page 1252)
    std::vector<ScheduleLine> Lines;  // by frequency, then file order
    ScheduleTables Tables;            // empty without a README.TXT
    int LinesSkipped = 0;             // damaged lines
    int FirstBadLine = 0;             // 1-based; 0 when none is damaged
    std::string FirstBadReason;
};

// The schedule the listener chose (Settings.SchedulePath), loaded at start-up
// and on choosing; empty when none is chosen or it could not be read.
extern Schedule LoadedSchedule;

// Files larger than this are refused: real schedules are about 1 MB.
constexpr size_t kScheduleMaxBytes = 64u << 20;
// Longer lines are damaged: real lines are under 200 bytes.
constexpr size_t kScheduleMaxLineBytes = 1024;

// Reads the schedule at `path` and, when one lies beside it, its README.TXT.
// False with a reason in plain words when the file cannot be read or holds no
// usable line; `schedule` is then left empty.
bool LoadSchedule(const char* path, Schedule* schedule, std::string* reason);
// The same from bytes already in memory, without the tables.
bool ParseSchedule(std::string bytes, Schedule* schedule, std::string* reason);

// What a chosen file gave, for the report after choosing it: "12000 lines
// read, 3 skipped; the first bad one is line 17: 9 semicolons instead of 10".
std::string LoadSummary(const Schedule& schedule);

// One field of a line, as its bytes stand in the file.
std::string_view LineField(const Schedule& schedule, const ScheduleLine& line, int field);
// The whole line, without its line end.
std::string_view LineText(const Schedule& schedule, const ScheduleLine& line);
// Bytes held by the loaded schedule (its buffers' capacities).
size_t ScheduleBytesHeld(const Schedule& schedule);
