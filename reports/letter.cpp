#include "reports/letter.h"

#include <algorithm>
#include <cctype>

#include "platform/file.h"
#include "records/code_page_1252.h"
#include "records/record_texts.h"
#include "records/text_trim.h"

namespace {

struct Placeholder {
    const char* Name;
    std::string LetterValues::*Value;
};

constexpr Placeholder kPlaceholders[] = {
    {"{DATE}", &LetterValues::Date},         {"{TIME}", &LetterValues::Time},
    {"{KHZ}", &LetterValues::Khz},           {"{STATION}", &LetterValues::Station},
    {"{LOCATION}", &LetterValues::Location}, {"{REMARKS}", &LetterValues::Remarks},
    {"{SINPO}", &LetterValues::Sinpo},       {"{DETAILS}", &LetterValues::Details},
    {"{TODAY}", &LetterValues::Today},
};

// Every line end (CR LF, LF or CR alone) as CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool StartsWithNoCase(const std::string& text, const char* start) {
    size_t n = std::char_traits<char>::length(start);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != start[i]) return false;
    }
    return true;
}

bool IsTemplateName(const std::string& name) {
    if (!StartsWithNoCase(name, "REPORT") || name.size() < 10) return false;
    std::string end = name.substr(name.size() - 4);
    return StartsWithNoCase(end, ".TXT");
}

char FileNameChar(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F) return '_';
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos) return '_';
    return c;
}

}  // namespace

LetterValues LetterValuesOf(const LogEntry& entry, const std::string& sinpo, const std::string& details,
                            const std::string& today) {
    LetterValues values;
    values.Date = ReportDate(entry);
    values.Time = TrimBoth(FieldText(entry.Time));
    values.Khz = TrimBoth(FieldText(entry.Freq));
    values.Station = TrimBoth(FieldText(entry.Station));
    values.Location = TrimBoth(FieldText(entry.Location));
    values.Remarks = TrimBoth(FieldText(entry.Remarks));
    values.Sinpo = sinpo;
    values.Details = details;
    values.Today = today;
    return values;
}

std::string FillTemplate(const std::string& templateBytes, const LetterValues& values) {
    bool utf8 = DetectUtf8(templateBytes);
    std::string out;
    out.reserve(templateBytes.size() + 256);
    size_t at = 0;
    while (at < templateBytes.size()) {
        size_t open = templateBytes.find('{', at);
        if (open == std::string::npos) break;
        out.append(templateBytes, at, open - at);
        const Placeholder* found = nullptr;
        for (const Placeholder& p : kPlaceholders) {
            if (templateBytes.compare(open, std::char_traits<char>::length(p.Name), p.Name) == 0) found = &p;
        }
        if (!found) {
            out.push_back('{');
            at = open + 1;
            continue;
        }
        const std::string& value = values.*(found->Value);
        out += utf8 ? CodePage1252ToUtf8(value) : value;
        at = open + std::char_traits<char>::length(found->Name);
    }
    if (at < templateBytes.size()) out.append(templateBytes, at, std::string::npos);
    return WithCrLf(out);
}

std::string DefaultTemplate() {
    return "Your name\r\n"
           "Your street and number\r\n"
           "Your town, postcode and country\r\n"
           "\r\n"
           "To: {STATION}, {LOCATION}\r\n"
           "Date: {TODAY}\r\n"
           "\r\n"
           "Dear friends at {STATION},\r\n"
           "\r\n"
           "I am pleased to report the reception of your broadcast on {KHZ} kHz\r\n"
           "on {DATE} at {TIME} UTC.\r\n"
           "\r\n"
           "Signal quality (SINPO): {SINPO}\r\n"
           "My remarks: {REMARKS}\r\n"
           "\r\n"
           "Details of the programme heard:\r\n"
           "{DETAILS}\r\n"
           "\r\n"
           "Receiver: your receiver\r\n"
           "Antenna: your antenna\r\n"
           "\r\n"
           "I would be very grateful if you could verify my report with your QSL card\r\n"
           "or letter. Thank you for your programmes.\r\n"
           "\r\n"
           "Yours sincerely,\r\n"
           "\r\n"
           "Your name\r\n";
}

std::vector<std::string> TemplateNames(const std::vector<std::string>& fileNames) {
    std::vector<std::string> names;
    for (const std::string& name : fileNames) {
        if (IsTemplateName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        bool aDefault = a.size() == 10, bDefault = b.size() == 10;  // REPORT.TXT itself
        if (aDefault != bDefault) return aDefault;
        return a < b;
    });
    return names;
}

std::string ProposedLetterPath(const std::string& logPath, const LogEntry& entry) {
    std::string station = TrimBoth(FieldText(entry.Station));
    std::string date = FieldText(entry.Date);  // DD-MM-YYYY
    std::string name = station + "-" + date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2);
    for (char& c : name) c = FileNameChar(c);
    name += ".TXT";
    size_t start = FileNameStart(logPath);
    return logPath.substr(0, start) + name;
}

bool WriteLetterFile(const std::string& path, const std::string& letter) {
    return FileWriteAllReplacing(path.c_str(), (path + ".TMP").c_str(), letter);
}
