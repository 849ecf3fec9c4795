#include "settings/settings_file.h"

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

// Quoted when it holds a comma, which would otherwise end the value on reading.
std::string QuotedIfNeeded(const std::string& path) {
    return path.find(',') == std::string::npos ? path : "\"" + path + "\"";
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
    settings.SchedulePath = ReadSettingsField(bytes, &pos).substr(0, kMaxPathChars);
    if (!ParseGenerationCount(ReadSettingsField(bytes, &pos), &settings.BackupGenerations)) {
        settings.BackupGenerations = kDefaultBackupGenerations;
    }
    if (!ParseReceiverAddress(ReadSettingsField(bytes, &pos), &settings.ReceiverHost, &settings.ReceiverPort)) {
        settings.ReceiverHost.clear();
        settings.ReceiverPort = kDefaultReceiverPort;
    }
    return settings;
}

bool ParseGenerationCount(const std::string& text, int* count) {
    if (text.empty()) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > kMaxBackupGenerations) return false;
    }
    *count = value;
    return true;
}

bool ParseReceiverPort(const std::string& text, int* port) {
    if (text.empty()) {
        *port = kDefaultReceiverPort;
        return true;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > 65535) return false;
    }
    if (value == 0) return false;
    *port = value;
    return true;
}

bool ParseReceiverAddress(const std::string& text, std::string* host, int* port) {
    size_t colon = text.rfind(':');
    if (colon == 0 || colon == std::string::npos || colon > kMaxHostChars || colon + 1 == text.size()) return false;
    for (size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c <= ' ' || c == 0x7F || c == '"' || c == ',') return false;
    }
    if (!ParseReceiverPort(text.substr(colon + 1), port)) return false;
    *host = text.substr(0, colon);
    return true;
}

std::string FormatSettings(const SettingsState& settings) {
    int generations = settings.BackupGenerations;
    if (generations < 0 || generations > kMaxBackupGenerations) generations = kDefaultBackupGenerations;
    std::string receiver;
    if (!settings.ReceiverHost.empty()) receiver = settings.ReceiverHost + ":" + std::to_string(settings.ReceiverPort);
    return QuotedIfNeeded(settings.LogPath) + "\r\n" + settings.BackupDrive + "\r\n" +
           QuotedIfNeeded(settings.SchedulePath) + "\r\n" + std::to_string(generations) + "\r\n" + receiver + "\r\n";
}

SettingsState ReadSettings(const char* fileName) {
    if (!FileExists(fileName)) {
        SettingsState defaults;
        defaults.LogPath = kDefaultLogPath;
        return defaults;
    }
    std::string bytes;
    if (!FileReadAll(fileName, &bytes, kMaxSettingsBytes)) {
        SettingsState unread;
        unread.Unreadable = true;
        return unread;
    }
    return ParseSettings(bytes);
}

bool WriteSettings(const char* fileName, const SettingsState& settings) {
    return FileWriteAllReplacing(fileName, SettingsTemporaryName(fileName).c_str(), FormatSettings(settings));
}

std::string SettingsTemporaryName(const char* fileName) { return std::string(fileName) + ".TMP"; }
