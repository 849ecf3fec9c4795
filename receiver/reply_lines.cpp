#include "receiver/reply_lines.h"

namespace {

constexpr size_t kLongestMode = 16;

bool IsModeCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

}  // namespace

bool IsAllDigits(std::string_view line) {
    if (line.empty()) return false;
    for (char c : line) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool ReadReportLine(std::string_view line, int* code) {
    constexpr std::string_view kPrefix = "RPRT ";
    if (line.substr(0, kPrefix.size()) != kPrefix) return false;
    std::string_view number = line.substr(kPrefix.size());
    bool negative = !number.empty() && (number[0] == '-' || number[0] == '+');
    std::string_view digits = negative ? number.substr(1) : number;
    // Nine digits keep the value inside an int; no server sends more.
    if (!IsAllDigits(digits) || digits.size() > 9) return false;
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    *code = number[0] == '-' ? -value : value;
    return true;
}

bool ReadModeLine(std::string_view line, std::string* mode, bool* hasPassband) {
    size_t blank = line.find(' ');
    std::string_view word = line.substr(0, blank);
    if (word.empty() || word.size() > kLongestMode || IsAllDigits(word)) return false;
    for (char c : word) {
        if (!IsModeCharacter(c)) return false;
    }
    bool passband = false;
    if (blank != std::string_view::npos) {
        if (!IsAllDigits(line.substr(blank + 1))) return false;
        passband = true;
    }
    *mode = std::string(word);
    *hasPassband = passband;
    return true;
}
