// Reception-report letters from templates the listener edits: REPORT*.TXT in
// the working folder, code page 1252 or UTF-8, with placeholders in braces.
// The choice of template is the choice of the station's language.
#pragma once
#include <string>
#include <vector>

#include "logstore/log_entry.h"

constexpr const char* kDefaultTemplateName = "REPORT.TXT";
// A template larger than this is refused: no letter is that long.
constexpr size_t kMaxTemplateBytes = 4u << 20;

// What the placeholders stand for, as code page 1252 bytes.
struct LetterValues {
    std::string Date;      // {DATE}: "07 Mar 2004"
    std::string Time;      // {TIME}: "21:30"
    std::string Khz;       // {KHZ}
    std::string Station;   // {STATION}
    std::string Location;  // {LOCATION}
    std::string Remarks;   // {REMARKS}
    std::string Sinpo;     // {SINPO}
    std::string Details;   // {DETAILS}, lines ended by CR LF
    std::string Today;     // {TODAY}: the date the letter is written, as {DATE}
};

// The values of `entry` (trimmed), with the SINPO, the details and today's date.
LetterValues LetterValuesOf(const LogEntry& entry, const std::string& sinpo, const std::string& details,
                            const std::string& today);

// The letter: `templateBytes` with every known placeholder replaced, an
// unknown one kept as written, in the template's own encoding (UTF-8 when
// DetectUtf8 says so, its byte-order mark kept) and every line ended by CR LF.
std::string FillTemplate(const std::string& templateBytes, const LetterValues& values);

// The plain English template written when the folder has none.
std::string DefaultTemplate();

// The REPORT*.TXT names among `fileNames` (letter case aside), sorted; the
// default first when present.
std::vector<std::string> TemplateNames(const std::vector<std::string>& fileNames);

// `<station>-<YYYYMMDD>.TXT` in the log's folder: the reception's date, the
// station trimmed, and every character a file name cannot hold, blanks
// included, as "_".
std::string ProposedLetterPath(const std::string& logPath, const LogEntry& entry);

// Writes the letter in one flushed step (a temporary file renamed over the name).
bool WriteLetterFile(const std::string& path, const std::string& letter);
