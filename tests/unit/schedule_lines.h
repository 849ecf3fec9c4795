// Hand-made schedule lines and files for the schedule tests, and the
// stations the rule offers for them.
#pragma once
#include <string>
#include <vector>

#include "schedule/on_air.h"

constexpr const char kScheduleHeader[] =
    "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60;";

// "khz;time;days;G;station;E;Eu;;p;start;stop"
std::string SkedLine(const std::string& khz, const std::string& time, const std::string& days,
                     const std::string& station, const std::string& p = "", const std::string& start = "",
                     const std::string& stop = "");
// The header and `lines`, each ended by `lineEnd`.
std::string SkedFile(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n");
// The schedule read from SkedFile(lines); a test failure when it is refused.
Schedule SkedOf(const std::vector<std::string>& lines);
// "YYYY-MM-DDTHH:MM"
ScheduleTime UtcAt(const char* text);
// The station names offered for `khz` within `withinKhz` at `time`, best first.
std::vector<std::string> StationsOnAir(const Schedule& schedule, const char* khz, int withinKhz, const char* time);
// True when the one line is offered for its own frequency at `time`.
bool LineOnAir(const std::string& line, const char* time);
