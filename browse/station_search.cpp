#include "browse/station_search.h"

#include <algorithm>
#include <vector>

#include "browse/page_state.h"

namespace {

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

// The hook applied once to every byte value, so a search upper-cases by lookup
// and calls the system once, however long the log.
struct CaseTable {
    unsigned char upper[256];
};

CaseTable MakeCaseTable(UpperCaseFn upper) {
    char bytes[256];
    for (int c = 0; c < 256; ++c) bytes[c] = static_cast<char>(c);
    upper(bytes, sizeof bytes);
    CaseTable table;
    for (int c = 0; c < 256; ++c) table.upper[c] = static_cast<unsigned char>(bytes[c]);
    return table;
}

std::string UpperText(const std::string& text, const CaseTable& table) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(table.upper[static_cast<unsigned char>(c)]);
    return out;
}

// `key` is already upper-cased; most stations fail on the first byte.
bool PrefixMatches(const char* station, const std::string& key, const CaseTable& table) {
    for (size_t i = 0; i < key.size(); ++i) {
        if (table.upper[static_cast<unsigned char>(station[i])] != static_cast<unsigned char>(key[i])) return false;
    }
    return true;
}

}  // namespace

void UpperCaseWestern(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(UpperWestern(static_cast<unsigned char>(text[i])));
    }
}

bool StationStartsWith(const std::string& station, const std::string& typed, UpperCaseFn upper) {
    if (typed.size() > station.size()) return false;
    CaseTable table = MakeCaseTable(upper);
    return PrefixMatches(station.data(), UpperText(typed, table), table);
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
            if (PrefixMatches(block[static_cast<size_t>(i)].Station, key, table)) {
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
