#include "schedule/schedule_tables.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "records/code_page_1252.h"
#include "records/text_trim.h"
#include "schedule/schedule_fields.h"

namespace {

enum class Section { None, Languages, Countries, Sites };

bool IsCodeChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// "IV) Transmitter site codes": a Roman number and ")" open a section.
bool IsSectionHeading(std::string_view line, Section* section) {
    size_t at = 0;
    while (at < line.size() && (line[at] == 'I' || line[at] == 'V' || line[at] == 'X')) ++at;
    if (at == 0 || at >= line.size() || line[at] != ')') return false;
    *section = Section::None;
    if (line.find("Language codes") != line.npos) *section = Section::Languages;
    if (line.find("Country codes") != line.npos) *section = Section::Countries;
    if (line.find("Transmitter site codes") != line.npos) *section = Section::Sites;
    return true;
}

// "ABC   Name": a code of 1-3 characters, blanks, the name.
bool ReadCodeLine(std::string_view line, bool utf8, CodeName* entry) {
    line = Trimmed(line, kBlankOrTab);
    size_t end = line.find_first_of(" \t");
    if (end == line.npos || end == 0 || end > 3) return false;
    std::string_view name = Trimmed(line.substr(end), kBlankOrTab);
    if (name.empty()) return false;
    entry->Code = std::string(line.substr(0, end));
    entry->Name = DisplayTextCodePage1252(name, utf8);
    return true;
}

std::string_view DropExcept(std::string_view name) {
    name = Trimmed(name, kBlankOrTab);
    constexpr std::string_view kExcept = "except:";
    if (name.size() >= kExcept.size() && name.substr(name.size() - kExcept.size()) == kExcept) {
        name = Trimmed(name.substr(0, name.size() - kExcept.size()), kBlankOrTab);
    }
    return name;
}

// The site's name: up to the coordinates token, a trailing "except:" dropped.
std::string_view SiteNameText(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        size_t start = text.find_first_not_of(" \t", at);
        if (start == text.npos) break;
        size_t end = text.find_first_of(" \t", start);
        if (end == text.npos) end = text.size();
        std::string_view token = text.substr(start, end - start);
        while (!token.empty() && (token.back() == ',' || token.back() == ';' || token.back() == ')')) {
            token.remove_suffix(1);
        }
        if (IsCoordinates(token)) return DropExcept(text.substr(0, start));
        at = end;
    }
    return DropExcept(text);
}

// "k-Kabul 34N32-69E20" or "Meyerton 26S35-28E08 except:" (the main site).
void ReadSiteEntry(std::string_view text, const std::string& country, bool utf8, ScheduleTables* tables) {
    text = Trimmed(text, kBlankOrTab);
    size_t code = 0;
    while (code < text.size() && code < 4 && IsCodeChar(text[code])) ++code;
    SiteName site;
    site.Country = country;
    if (code >= 1 && code <= 3 && code < text.size() && text[code] == '-') {
        site.Code = std::string(text.substr(0, code));
        text.remove_prefix(code + 1);
    }
    std::string_view name = SiteNameText(text);
    if (name.empty()) return;
    site.Name = DisplayTextCodePage1252(name, utf8);
    tables->Sites.push_back(site);
}

// "   AFG: k-Kabul ..." opens a country; an indented line continues it.
void ReadSiteLine(std::string_view line, std::string* country, bool utf8, ScheduleTables* tables) {
    std::string_view trimmed = Trimmed(line, kBlankOrTab);
    size_t colon = trimmed.find(':');
    bool opens = colon >= 1 && colon <= 3 && colon != trimmed.npos &&
                 std::all_of(trimmed.begin(), trimmed.begin() + colon, [](char c) {
                     return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
                 });
    if (opens) {
        *country = std::string(trimmed.substr(0, colon));
        ReadSiteEntry(trimmed.substr(colon + 1), *country, utf8, tables);
    } else if (!trimmed.empty() && !country->empty() && (line[0] == ' ' || line[0] == '\t')) {
        ReadSiteEntry(trimmed, *country, utf8, tables);
    } else if (!trimmed.empty()) {
        country->clear();
    }
}

bool ByCode(const CodeName& a, const CodeName& b) { return a.Code < b.Code; }
bool BySite(const SiteName& a, const SiteName& b) {
    return a.Country != b.Country ? a.Country < b.Country : a.Code < b.Code;
}

template <typename Entry, typename Less>
void SortKeepingFirst(std::vector<Entry>* entries, Less less) {
    std::stable_sort(entries->begin(), entries->end(), less);
    auto same = [&](const Entry& a, const Entry& b) { return !less(a, b) && !less(b, a); };
    entries->erase(std::unique(entries->begin(), entries->end(), same), entries->end());
}

const std::string* FindCode(const std::vector<CodeName>& table, std::string_view code) {
    auto found = std::lower_bound(table.begin(), table.end(), code,
                                  [](const CodeName& entry, std::string_view key) { return entry.Code < key; });
    return found != table.end() && found->Code == code ? &found->Name : nullptr;
}

bool IsCoordinateHalf(std::string_view half, const char* letters) {
    size_t at = 0;
    while (at < half.size() && std::isdigit(static_cast<unsigned char>(half[at]))) ++at;
    if (at == 0 || at > 3 || at >= half.size()) return false;
    if (half[at] != letters[0] && half[at] != letters[1]) return false;
    for (++at; at < half.size(); ++at) {
        char c = half[at];
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '\'' && c != '"' && c != '.') return false;
    }
    return true;
}

}  // namespace

bool IsCoordinates(std::string_view token) {
    size_t dash = token.find('-');
    if (dash == token.npos) return false;
    return IsCoordinateHalf(token.substr(0, dash), "NS") && IsCoordinateHalf(token.substr(dash + 1), "EW");
}

void ReadScheduleTables(const std::string& bytes, ScheduleTables* tables) {
    *tables = ScheduleTables{};
    bool utf8 = DetectUtf8(bytes);
    std::string_view text(bytes);
    text.remove_prefix(Utf8BomLength(text));
    Section section = Section::None;
    std::string country;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (IsSectionHeading(Trimmed(line, kBlankOrTab), &section)) {
            country.clear();
            continue;
        }
        CodeName entry;
        if (section == Section::Languages && ReadCodeLine(line, utf8, &entry)) tables->Languages.push_back(entry);
        if (section == Section::Countries && ReadCodeLine(line, utf8, &entry)) tables->Countries.push_back(entry);
        if (section == Section::Sites) ReadSiteLine(line, &country, utf8, tables);
    }
    SortKeepingFirst(&tables->Countries, ByCode);
    SortKeepingFirst(&tables->Languages, ByCode);
    SortKeepingFirst(&tables->Sites, BySite);
}

bool FindReadmeBeside(const char* schedulePath, std::string* readmePath) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::path(schedulePath).parent_path();
    if (folder.empty()) folder = ".";
    fs::directory_iterator entries(folder, error), end;
    for (; !error && entries != end; entries.increment(error)) {
        std::string name = entries->path().filename().string();
        if (name.size() != 10) continue;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
        if (name == "README.TXT" && entries->is_regular_file(error)) {
            *readmePath = entries->path().string();
            return true;
        }
    }
    return false;
}

const std::string* CountryName(const ScheduleTables& tables, std::string_view code) {
    return FindCode(tables.Countries, code);
}

const std::string* LanguageName(const ScheduleTables& tables, std::string_view code) {
    return FindCode(tables.Languages, code);
}

const std::string* SiteNameOf(const ScheduleTables& tables, std::string_view country, std::string_view site) {
    auto found =
        std::lower_bound(tables.Sites.begin(), tables.Sites.end(), std::make_pair(country, site),
                         [](const SiteName& entry, const std::pair<std::string_view, std::string_view>& key) {
                             return entry.Country != key.first ? entry.Country < key.first : entry.Code < key.second;
                         });
    if (found == tables.Sites.end() || found->Country != country || found->Code != site) return nullptr;
    return &found->Name;
}
