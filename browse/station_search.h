// Finding the next entry whose station starts with a typed text, without regard
// to case. The log is read in large blocks and compared in memory.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_store.h"
#include "records/station_prefix.h"

// True when `typed` equals the first typed.size() characters of `station`
// after both are upper-cased; a text longer than the station never matches.
bool StationStartsWith(const std::string& station, const std::string& typed, UpperCaseFn upper);

// The number of the first entry from `first` on whose Station starts with
// `typed`, or 0 when there is none (or `typed` is empty, or the log cannot be
// read further). The matching entry is left in EntryBuffer.
int32_t FindStation(LogStore& log, int32_t first, const std::string& typed, UpperCaseFn upper);

struct PageState;

enum class SearchStep {
    NoText,          // nothing typed: nothing happens
    EndOfSearch,     // no further match; SearchPosition is past the last entry
    MatchOnPage,     // the match was already on the page; its line is chosen
    MatchElsewhere,  // the page moved to the match: show it again, then choose its line
};

// One press of Search: looks from SearchPosition on. A match chooses its line
// (SelectedLine), arms the next step and moves SearchPosition past it.
SearchStep RunSearchStep(LogStore& log, PageState& page, const std::string& typed, UpperCaseFn upper);
