#include "schedule/candidate_text.h"

#include "records/code_page_1252.h"
#include "records/text_trim.h"
#include "schedule/schedule_fields.h"
#include "schedule/schedule_tables.h"

namespace {

struct Abbreviation {
    const char* Word;
    const char* ShortForm;
};

// Most common first: each is applied only while the name is still too long.
const Abbreviation kAbbreviations[] = {
    {"Radio", "R."},
    {"R\xE1"
     "dio",
     "R."},
    {"Radyo", "R."},
    {"Broadcasting", "Bc."},
    {"Corporation", "Corp."},
    {"International", "Int."},
    {"Internacional", "Int."},
    {"Internationale", "Int."},
    {"Radiodifusora", "Rdif."},
    {"Radiodiffusion", "Rdif."},
    {"Radiodifusi\xF3n", "Rdif."},
    {"Radiodifus\xE3o", "Rdif."},
    {"Television", "TV"},
    {"T\xE9l\xE9vision", "TV"},
    {"Televisi\xF3n", "TV"},
    {"National", "Nat."},
    {"Nacional", "Nac."},
    {"Nationale", "Nat."},
    {"Voice", "V."},
    {"Service", "Svc."},
    {"Network", "Netw."},
    {"Christian", "Chr."},
    {"Company", "Co."},
    {"Republic", "Rep."},
    {"Station", "Stn."},
    {"Ministry", "Min."},
    {"Popular", "Pop."},
    {"Cultural", "Cult."},
    {"Educational", "Educ."},
    {"Missionary", "Miss."},
    {"Association", "Assoc."},
    {"University", "Univ."},
    {"Mountain", "Mt."},
    {"Saint", "St."},
    {"and", "&"},
};

bool IsWordByte(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte >= 0xC0;
}

// Replaces every whole-word `word` in `name`.
void ReplaceWord(std::string* name, const std::string& word, const std::string& shortForm) {
    for (size_t at = name->find(word); at != std::string::npos; at = name->find(word, at)) {
        size_t end = at + word.size();
        bool whole = (at == 0 || !IsWordByte((*name)[at - 1])) && (end == name->size() || !IsWordByte((*name)[end]));
        if (!whole) {
            ++at;
            continue;
        }
        name->replace(at, word.size(), shortForm);
        at += shortForm.size();
    }
}

std::string CutTo(std::string text, size_t width) {
    if (text.size() > width) text.resize(width);
    return TrimRight(text);
}

std::string FieldText1252(const Schedule& schedule, const ScheduleLine& line, int field) {
    return DisplayTextCodePage1252(Trimmed(LineField(schedule, line, field), kBlankOrTab), schedule.Utf8);
}

// The site's country and code from the remarks: "" (home country), "w" (site
// w at home), "/CYP" (another country), "/AFG-x" (site x there).
void SplitSite(std::string_view remarks, std::string_view home, std::string_view* country, std::string_view* site) {
    remarks = Trimmed(remarks, kBlankOrTab);
    *country = home;
    *site = std::string_view();
    if (!remarks.empty() && remarks[0] == '/') {
        remarks.remove_prefix(1);
        size_t dash = remarks.find('-');
        *country = remarks.substr(0, dash);
        if (dash != remarks.npos) *site = remarks.substr(dash + 1);
    } else {
        *site = remarks;
    }
}

std::string PadTo(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string ShortenStation(const std::string& name, size_t width) {
    std::string shortened = name;
    for (const Abbreviation& entry : kAbbreviations) {
        if (shortened.size() <= width) break;
        ReplaceWord(&shortened, entry.Word, entry.ShortForm);
    }
    return CutTo(shortened, width);
}

std::string CandidateStation(const Schedule& schedule, const ScheduleLine& line) {
    return ShortenStation(FieldText1252(schedule, line, kFieldStation));
}

std::string CandidateLocation(const Schedule& schedule, const ScheduleLine& line, size_t width) {
    std::string_view country, site;
    SplitSite(LineField(schedule, line, kFieldRemarks), Trimmed(LineField(schedule, line, kFieldItu), kBlankOrTab),
              &country, &site);
    const std::string* name = SiteNameOf(schedule.Tables, country, site);
    if (!name) name = CountryName(schedule.Tables, country);
    return CutTo(name ? *name : DisplayTextCodePage1252(country, schedule.Utf8), width);
}

std::string CandidateRow(const Schedule& schedule, const ScheduleLine& line) {
    std::string row = PadTo(FieldText1252(schedule, line, kFieldKhz), 7) + "  ";
    row += PadTo(CandidateStation(schedule, line), kStationWidth) + "  ";
    row += FieldText1252(schedule, line, kFieldTime) + "  ";
    row += PadTo(FieldText1252(schedule, line, kFieldLanguage), 3) + "  ";
    row += PadTo(FieldText1252(schedule, line, kFieldTarget), 3) + "  ";
    row += CandidateLocation(schedule, line);
    if (line.SpecialDays) row += "  [" + FieldText1252(schedule, line, kFieldDays) + "]";
    return TrimRight(row);
}
