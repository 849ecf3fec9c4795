// The code tables of the README.TXT published with a schedule: countries,
// languages and transmitter sites. Names are kept as code page 1252 bytes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CodeName {
    std::string Code;
    std::string Name;
};

struct SiteName {
    std::string Country;  // ITU code
    std::string Code;     // empty for the country's main site
    std::string Name;
};

struct ScheduleTables {
    std::vector<CodeName> Countries;  // each sorted by code
    std::vector<CodeName> Languages;
    std::vector<SiteName> Sites;  // by country, then code
};

// Reads the three tables from a README.TXT's bytes (Latin-1 or UTF-8).
void ReadScheduleTables(const std::string& bytes, ScheduleTables* tables);
// The README.TXT (any letter case) in the folder of `schedulePath`, if any.
bool FindReadmeBeside(const char* schedulePath, std::string* readmePath);

// Look-ups; nullptr when the table has no such code.
const std::string* CountryName(const ScheduleTables& tables, std::string_view code);
const std::string* LanguageName(const ScheduleTables& tables, std::string_view code);
// `site` empty asks for the country's main site.
const std::string* SiteNameOf(const ScheduleTables& tables, std::string_view country, std::string_view site);

// True for a coordinates token such as 34N32-69E20 or 26S07'40"-28E12'20".
bool IsCoordinates(std::string_view token);
