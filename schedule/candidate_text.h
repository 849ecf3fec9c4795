// What the logging window shows and stores for a schedule line: the row of
// the candidate list, and the Station and Location texts fitted to the log
// record, all in code page 1252 bytes.
#pragma once
#include <cstddef>
#include <string>

#include "logstore/log_entry.h"
#include "schedule/schedule.h"

// Shortens a station name longer than `width` bytes with the abbreviations of
// listeners' bulletins ("Radio" -> "R.", "International" -> "Int." ...), whole
// words only, one abbreviation after the other until it fits; only then is it
// cut to `width` bytes.
std::string ShortenStation(const std::string& name, size_t width = kStationWidth);

// The line's station name for the Station box: code page 1252, shortened.
std::string CandidateStation(const Schedule& schedule, const ScheduleLine& line);

// The line's transmitter location for the Location box: the site's name when
// the site table resolves it (a reference without a site code means the
// country's main site), otherwise the name of the site's country (the home
// country when none is given), otherwise that ITU code; cut to `width` bytes.
std::string CandidateLocation(const Schedule& schedule, const ScheduleLine& line, size_t width = kLocationWidth);

// One row of the candidate list: frequency, station, time span, language,
// target, transmitter location, and a special days code in brackets, e.g.
// "9410  R. Example Int.      0600-0700  E    Eu   Woofferton  [irr]".
std::string CandidateRow(const Schedule& schedule, const ScheduleLine& line);
