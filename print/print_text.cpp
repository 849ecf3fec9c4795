#include "print/print_text.h"

#include "app/shared_values.h"
#include "print/start_number.h"

namespace {

constexpr const char* kSeparator = "  ";

int MonthNumber(const LogEntry& entry) {
    double month = RoundHalfEven(ReadLeadingNumber(std::string(entry.Date + 3, 2)));
    if (!(month >= 1.0 && month <= 12.0)) return 0;
    return static_cast<int>(month);
}

std::string RightAligned(const std::string& text, size_t width) {
    if (text.size() >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string ReportDate(const LogEntry& entry) {
    std::string date(entry.Date, 2);
    date += ' ';
    date += MonthName(kMonthShort, MonthNumber(entry));
    date += ' ';
    date.append(entry.Date + 6, 4);
    return date;
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
