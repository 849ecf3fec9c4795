// The prefix rule of the station search: a typed text matches a station whose
// first characters equal it after both are upper-cased, blanks counting. The
// report filter of a print or export run uses the same rule.
#pragma once
#include <cstddef>
#include <string>

// Upper-cases `length` single-byte characters in place, each byte on its own (as
// the system does for the single-byte ANSI code pages). The windows pass the
// system's rules; the portable one below follows the Western code page.
using UpperCaseFn = void (*)(char* text, size_t length);
// a-z and the accented letters of Windows-1252 (à..þ without ÷, š, œ, ž, ÿ).
void UpperCaseWestern(char* text, size_t length);

// The rules applied once to every byte value, so matching upper-cases by
// lookup and calls the system once, however long the log.
struct CaseTable {
    unsigned char Upper[256];
};

CaseTable MakeCaseTable(UpperCaseFn upper);
std::string UpperText(const std::string& text, const CaseTable& table);

// `key` is already upper-cased and no longer than the station's width.
inline bool StationPrefixMatches(const char* station, const std::string& key, const CaseTable& table) {
    // Most stations fail on the first byte.
    for (size_t i = 0; i < key.size(); ++i) {
        if (table.Upper[static_cast<unsigned char>(station[i])] != static_cast<unsigned char>(key[i])) return false;
    }
    return true;
}
