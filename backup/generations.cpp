#include "backup/generations.h"

#include <algorithm>
#include <cstdio>

#include "platform/file.h"

namespace {

constexpr size_t kSequenceDigits = 6;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

void SplitName(const std::string& fileName, std::string* stem, std::string* extension) {
    size_t dot = fileName.rfind('.');
    *stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    *extension = dot == std::string::npos ? "" : fileName.substr(dot);  // with its dot
}

// Reads `count` digits at `*at`; false when any is not a digit.
bool ReadDigits(const std::string& text, size_t* at, size_t count, int64_t* value) {
    if (*at + count > text.size()) return false;
    *value = 0;
    for (size_t i = 0; i < count; ++i) {
        char c = text[*at + i];
        if (c < '0' || c > '9') return false;
        *value = *value * 10 + (c - '0');
    }
    *at += count;
    return true;
}

bool Expect(const std::string& text, size_t* at, char wanted) {
    if (*at >= text.size() || Upper(text[*at]) != wanted) return false;
    ++*at;
    return true;
}

// "-000123-20261207-194512Z": sequence (six digits or more), date and time.
bool ParseStamp(const std::string& text, Generation* generation) {
    size_t at = 0;
    size_t digits = 0;
    while (1 + digits < text.size() && text[1 + digits] >= '0' && text[1 + digits] <= '9') ++digits;
    int64_t year, month, day, hour, minute, second;
    if (!Expect(text, &at, '-') || digits < kSequenceDigits || digits > 12 ||
        !ReadDigits(text, &at, digits, &generation->Sequence) || !Expect(text, &at, '-') ||
        !ReadDigits(text, &at, 4, &year) || !ReadDigits(text, &at, 2, &month) || !ReadDigits(text, &at, 2, &day) ||
        !Expect(text, &at, '-') || !ReadDigits(text, &at, 2, &hour) || !ReadDigits(text, &at, 2, &minute) ||
        !ReadDigits(text, &at, 2, &second) || !Expect(text, &at, 'Z') || at != text.size()) {
        return false;
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return false;
    generation->Made = UtcTime{static_cast<int>(year), static_cast<int>(month),  static_cast<int>(day),
                               static_cast<int>(hour), static_cast<int>(minute), static_cast<int>(second)};
    return true;
}

}  // namespace

std::string LogFileName(const std::string& logPath) { return logPath.substr(FileNameStart(logPath)); }

std::string GenerationFileName(const std::string& logFileName, int64_t sequence, const UtcTime& made) {
    std::string stem, extension;
    SplitName(logFileName, &stem, &extension);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "-%06lld-%04d%02d%02d-%02d%02d%02dZ", static_cast<long long>(sequence),
                  made.Year, made.Month, made.Day, made.Hour, made.Minute, made.Second);
    return stem + stamp + extension;
}

bool ParseGenerationName(const std::string& fileName, const std::string& logFileName, Generation* generation) {
    std::string stem, extension;
    SplitName(logFileName, &stem, &extension);
    if (stem.empty() || fileName.size() <= stem.size() + extension.size()) return false;
    if (!SameLetters(fileName.substr(0, stem.size()), stem)) return false;
    if (!SameLetters(fileName.substr(fileName.size() - extension.size()), extension)) return false;
    std::string stamp = fileName.substr(stem.size(), fileName.size() - stem.size() - extension.size());
    if (!ParseStamp(stamp, generation)) return false;
    generation->FileName = fileName;
    return true;
}

std::vector<Generation> GenerationsOf(const std::vector<std::string>& fileNames, const std::string& logFileName) {
    std::vector<Generation> found;
    for (const std::string& name : fileNames) {
        Generation generation;
        if (ParseGenerationName(name, logFileName, &generation)) found.push_back(generation);
    }
    std::sort(found.begin(), found.end(),
              [](const Generation& a, const Generation& b) { return a.Sequence > b.Sequence; });
    return found;
}

std::string DriveFolder(const std::string& drive) { return drive + ":"; }

std::string GenerationFolder(const std::string& drive) { return DriveFolder(drive) + kGenerationFolder; }

std::string InFolder(const std::string& folder, const std::string& name) {
    // "E:" names the drive's current folder: the name follows without a separator.
    if (!folder.empty() && folder.back() == ':') return folder + name;
    return folder + kPathSeparator + name;
}

NewestGeneration FindNewestGeneration(const std::string& drive, const std::string& logPath) {
    NewestGeneration newest;
    std::vector<std::string> names;
    if (drive.empty() || !FolderList(GenerationFolder(drive).c_str(), &names)) return newest;
    std::vector<Generation> generations = GenerationsOf(names, LogFileName(logPath));
    if (generations.empty()) return newest;
    newest.Found = true;
    newest.Newest = generations.front();
    newest.Path = InFolder(GenerationFolder(drive), newest.Newest.FileName);
    return newest;
}

std::string NewestGenerationLine(const NewestGeneration& newest) {
    if (!newest.Found) return kNoGenerationText;
    const UtcTime& t = newest.Newest.Made;
    char when[64];
    std::snprintf(when, sizeof when, "%02d-%02d-%04d %02d:%02d:%02d UTC  ", t.Day, t.Month, t.Year, t.Hour, t.Minute,
                  t.Second);
    return when + newest.Path;
}
