#include "print/print_text.h"

#include <cstring>

#include "logstore/record_texts.h"

namespace {

constexpr const char* kSeparator = "  ";

std::string RightAligned(const std::string& text, size_t width) {
    if (text.size() >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace

size_t FormatReportDate(const LogEntry& entry, char* out) {
    char* p = out;
    *p++ = entry.Date[0];
    *p++ = entry.Date[1];
    *p++ = ' ';
    for (const char* month = MonthName(kMonthShort, MonthNumber(entry)); *month; ++month) *p++ = *month;
    *p++ = ' ';
    std::memcpy(p, entry.Date + 6, 4);
    p += 4;
    return static_cast<size_t>(p - out);
}

std::string ReportDate(const LogEntry& entry) {
    char date[11];
    return std::string(date, FormatReportDate(entry, date));
}

std::string PrintedRow(const LogEntry& entry) {
    std::string row = ReportDate(entry);
    row += kSeparator;
    row += FieldText(entry.Time);
    row += kSeparator;
    row += FieldText(entry.Station);
    row += kSeparator;
    row += FieldText(entry.Location);
    row += kSeparator;
    row += RightAligned(TrimBoth(FieldText(entry.Freq)), sizeof entry.Freq);
    row += "KHz";
    row += kSeparator;
    row += FieldText(entry.Remarks);
    return row;
}

std::string HeadingText() {
    // Each title stands over the first character of its column in PrintedRow.
    std::string left = " Date        Time     Station" + std::string(12, ' ');
    std::string right = "   Location                Freq       Remarks";
    return left + right;
}

std::string PageNumberText(int page) { return "Page " + std::to_string(page); }

std::string CompletionText(int32_t count) {
    return "Print of " + std::to_string(count) + " reports complete";
}

std::string ReadFailureText(int32_t count) {
    return "The log could not be read to its end: the run stopped after " + std::to_string(count) +
           " reports, so the output is not complete.";
}

std::string ExportNameFromUpperPath(const std::string& upperPath) {
    const std::string from = ".ULM";
    const std::string to = ".CSV";
    std::string name;
    size_t at = 0;
    for (;;) {
        size_t found = upperPath.find(from, at);
        if (found == std::string::npos) break;
        name.append(upperPath, at, found - at);
        name += to;
        at = found + from.size();
    }
    name.append(upperPath, at, std::string::npos);
    return name;
}
