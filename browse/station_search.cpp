#include "browse/station_search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "browse/page_state.h"

namespace {

constexpr size_t kStationWidth = sizeof(LogEntry::Station);
// Entries read per block: about a megabyte.
constexpr int32_t kSearchBlockEntries = 8192;

unsigned char UpperWestern(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return c;
    }
}

// Copies the first `width` characters of each station of the block side by side
// and upper-cases them with one call, so the system's rules cost one call a block.
void UpperPrefixes(const LogEntry* entries, int32_t count, size_t width, UpperCaseFn upper,
                   std::string* prefixes) {
    prefixes->resize(static_cast<size_t>(count) * width);
    char* out = &(*prefixes)[0];
    for (int32_t i = 0; i < count; ++i) std::memcpy(out + i * width, entries[i].Station, width);
    upper(out, prefixes->size());
}

}  // namespace

void UpperCaseWestern(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(UpperWestern(static_cast<unsigned char>(text[i])));
    }
}

bool StationStartsWith(const std::string& station, const std::string& typed, UpperCaseFn upper) {
    if (typed.size() > station.size()) return false;
    std::string key = typed;
    std::string prefix = station.substr(0, typed.size());
    upper(&key[0], key.size());
    upper(&prefix[0], prefix.size());
    return key == prefix;
}

int32_t FindStation(LogStore& log, int32_t first, const std::string& typed, UpperCaseFn upper) {
    const size_t width = typed.size();
    if (width == 0 || width > kStationWidth) return 0;
    std::string key = typed;
    upper(&key[0], width);
    std::vector<LogEntry> block(static_cast<size_t>(kSearchBlockEntries));
    std::string prefixes;
    for (int32_t position = std::max(first, 1); position <= log.EntryCount;) {
        int32_t got = 0;
        if (!ReadEntries(log, position, kSearchBlockEntries, block.data(), &got) || got == 0) return 0;
        UpperPrefixes(block.data(), got, width, upper, &prefixes);
        for (int32_t i = 0; i < got; ++i) {
            if (std::memcmp(prefixes.data() + i * width, key.data(), width) == 0) {
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
