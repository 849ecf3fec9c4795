#include "print/print_text.h"

#include "records/record_texts.h"
#include "records/text_trim.h"

namespace {

constexpr const char* kSeparator = "  ";

std::string RightAligned(const std::string& text, size_t width) {
    if (text.size() >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace

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

std::string CompletionText(int32_t count) { return "Print of " + std::to_string(count) + " reports complete"; }

std::string ReadFailureText(int32_t count) {
    return "The log could not be read to its end: the run stopped after " + std::to_string(count) +
           " reports, so the output is not complete.";
}
