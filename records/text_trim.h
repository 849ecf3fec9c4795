// The one trimming family: the characters of a set (blanks unless said) left
// out at a text's ends. Every reader and writer of records, and the schedule
// (whose fields may also be padded with tabs), trims with these.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kBlank = " ";
inline constexpr std::string_view kBlankOrTab = " \t";

// Views, for the readers of fields; inline because the filter trims every Freq of a log.
// A set of one character (the blank) is compared byte by byte: the exports trim
// every field of every record, and a library call a byte costs more than the work.
inline bool InTrimSet(char c, std::string_view set) {
    return set.size() == 1 ? c == set[0] : set.find(c) != std::string_view::npos;
}

inline std::string_view TrimmedStart(std::string_view text, std::string_view set = kBlank) {
    if (set.size() == 1) {
        size_t begin = 0;
        while (begin < text.size() && text[begin] == set[0]) ++begin;
        return text.substr(begin);
    }
    size_t begin = text.find_first_not_of(set);
    return begin == std::string_view::npos ? text.substr(text.size()) : text.substr(begin);
}
inline std::string_view TrimmedEnd(std::string_view text, std::string_view set = kBlank) {
    size_t end = text.size();
    while (end > 0 && InTrimSet(text[end - 1], set)) --end;
    return text.substr(0, end);
}
inline std::string_view Trimmed(std::string_view text, std::string_view set = kBlank) {
    return TrimmedEnd(TrimmedStart(text, set), set);
}

// Copies, for the texts kept and shown.
std::string TrimRight(const std::string& text);
std::string TrimBoth(const std::string& text);
// True when the field holds only blanks.
bool IsBlank(std::string_view text);
