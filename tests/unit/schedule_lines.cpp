#include "tests/unit/schedule_lines.h"

#include <gtest/gtest.h>

std::string SkedLine(const std::string& khz, const std::string& time, const std::string& days,
                     const std::string& station, const std::string& p, const std::string& start,
                     const std::string& stop) {
    return khz + ";" + time + ";" + days + ";G;" + station + ";E;Eu;;" + p + ";" + start + ";" + stop;
}

std::string SkedFile(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string text = kScheduleHeader + lineEnd;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

Schedule SkedOf(const std::vector<std::string>& lines) {
    Schedule schedule;
    std::string reason;
    EXPECT_TRUE(ParseSchedule(SkedFile(lines), &schedule, &reason)) << reason;
    return schedule;
}

ScheduleTime UtcAt(const char* text) {
    ScheduleTime when;
    EXPECT_TRUE(ParseScheduleTime(text, &when)) << text;
    return when;
}

std::vector<std::string> StationsOnAir(const Schedule& schedule, const char* khz, int withinKhz, const char* time) {
    std::vector<uint32_t> found;
    LookUpCandidates(schedule, khz, withinKhz, UtcAt(time), &found);
    std::vector<std::string> names;
    for (uint32_t index : found) names.emplace_back(LineField(schedule, schedule.Lines[index], kFieldStation));
    return names;
}

bool LineOnAir(const std::string& line, const char* time) {
    Schedule schedule = SkedOf({line});
    if (schedule.Lines.size() != 1) {
        ADD_FAILURE() << "not a usable line: " << line;
        return false;
    }
    std::vector<uint32_t> found;
    FindCandidates(schedule, schedule.Lines[0].Tenths * int64_t{100}, 0, UtcAt(time), &found);
    return found.size() == 1;
}
