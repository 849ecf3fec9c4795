#include "browse/station_search.h"

#include <algorithm>
#include <vector>

#include "browse/page_state.h"

namespace {

// Entries read per block: about a megabyte.
constexpr int32_t kSearchBlockEntries = 8192;

}  // namespace

bool StationStartsWith(const std::string& station, const std::string& typed, UpperCaseFn upper) {
    if (typed.size() > station.size()) return false;
    CaseTable table = MakeCaseTable(upper);
    return StationPrefixMatches(station.data(), UpperText(typed, table), table);
}

int32_t FindStation(LogStore& log, int32_t first, const std::string& typed, UpperCaseFn upper) {
    if (typed.empty() || typed.size() > static_cast<size_t>(kStationWidth)) return 0;
    CaseTable table = MakeCaseTable(upper);
    std::string key = UpperText(typed, table);
    std::vector<LogEntry> block(static_cast<size_t>(kSearchBlockEntries));
    for (int32_t position = std::max(first, 1); position <= log.EntryCount;) {
        int32_t got = 0;
        if (!ReadEntries(log, position, kSearchBlockEntries, block.data(), &got) || got == 0) return 0;
        for (int32_t i = 0; i < got; ++i) {
            if (StationPrefixMatches(block[static_cast<size_t>(i)].Station, key, table)) {
                log.EntryBuffer = block[static_cast<size_t>(i)];
                return position + i;
            }
        }
        position += got;
    }
    return 0;
}

SearchStep RunSearchStep(LogStore& log, PageState& page, const std::string& typed, UpperCaseFn upper) {
    if (typed.empty()) return SearchStep::NoText;
    int32_t match = FindStation(log, page.SearchPosition, typed, upper);
    if (match == 0) {
        page.SearchPosition = log.EntryCount + 1;
        return SearchStep::EndOfSearch;
    }
    bool moved = PlaceMatchOnPage(page, match);
    page.SearchArmed = true;
    page.SearchPosition = match + 1;
    return moved ? SearchStep::MatchElsewhere : SearchStep::MatchOnPage;
}
