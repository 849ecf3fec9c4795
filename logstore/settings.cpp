#include "logstore/settings.h"

#include "platform/file.h"

SettingsState Settings;

namespace {

// Settings lines longer than this are junk; reading more of them would only
// waste memory before the value is cut anyway.
constexpr size_t kMaxSettingsBytes = 1 << 20;

void SkipRestOfLine(const std::string& bytes, size_t* pos) {
    while (*pos < bytes.size()) {
        char c = bytes[(*pos)++];
        if (c == '\n') return;
        if (c == '\r') {
            if (*pos < bytes.size() && bytes[*pos] == '\n') ++*pos;
            return;
        }
    }
}

}  // namespace

std::string ReadSettingsField(const std::string& bytes, size_t* pos) {
    while (*pos < bytes.size() && bytes[*pos] == ' ') ++*pos;
    std::string value;
    if (*pos >= bytes.size()) return value;
    if (bytes[*pos] == '"') {
        size_t close = bytes.find('"', *pos + 1);
        size_t end = close == std::string::npos ? bytes.size() : close;
        value = bytes.substr(*pos + 1, end - *pos - 1);
        *pos = close == std::string::npos ? bytes.size() : close + 1;
    } else {
        while (*pos < bytes.size() && bytes[*pos] != ',' && bytes[*pos] != '\r') {
            char c = bytes[(*pos)++];
            if (c != '\n' && c != '\t') value += c;
        }
    }
    SkipRestOfLine(bytes, pos);
    return value;
}

SettingsState ParseSettings(const std::string& bytes) {
    size_t pos = 0;
    SettingsState settings;
    settings.LogPath = ReadSettingsField(bytes, &pos).substr(0, kMaxPathChars);
    settings.BackupDrive = ReadSettingsField(bytes, &pos).substr(0, kMaxPathChars);
    return settings;
}

std::string FormatSettings(const SettingsState& settings) {
    std::string path = settings.LogPath;
    if (path.find(',') != std::string::npos) path = "\"" + path + "\"";
    return path + "\r\n" + settings.BackupDrive + "\r\n";
}

SettingsState ReadSettings(const char* fileName) {
    if (!FileExists(fileName)) return SettingsState{kDefaultLogPath, ""};
    std::string bytes;
    if (!FileReadAll(fileName, &bytes, kMaxSettingsBytes)) {
        SettingsState unread;
        unread.Unreadable = true;
        return unread;
    }
    return ParseSettings(bytes);
}

bool WriteSettings(const char* fileName, const SettingsState& settings) {
    PlatformFile file;
    if (!FileOpen(fileName, FileAccess::CreateTruncate, &file)) return false;
    std::string bytes = FormatSettings(settings);
    bool ok = FileWriteAt(file, 0, bytes.data(), bytes.size());
    FileClose(&file);
    return ok;
}
