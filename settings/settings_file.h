// CURLOG.DTA: CR LF lines in the current directory: the current log's path, the
// backup drive letter, the schedule file's path (empty when none), how many
// dated backups to keep and the receiver as HOST:PORT (empty when none). Older
// copies of the program read only the first lines.
#pragma once
#include <string>

constexpr const char* kSettingsFileName = "CURLOG.DTA";
constexpr const char* kDefaultLogPath = "MYLOG.ULM";
constexpr size_t kMaxPathChars = 259;
constexpr int kDefaultBackupGenerations = 10;
constexpr int kMaxBackupGenerations = 99;
// rigctld's and SDR++'s port; gqrx listens on 7356.
constexpr int kDefaultReceiverPort = 4532;
constexpr size_t kMaxHostChars = 253;

struct SettingsState {
    // The log named in the file: opened at start-up and set from Log.OpenPath,
    // the one path of the open log, at shut-down.
    std::string LogPath;                                // empty when no log is selected
    std::string BackupDrive;                            // empty when no backup is made
    std::string SchedulePath;                           // empty when no schedule is chosen
    int BackupGenerations = kDefaultBackupGenerations;  // dated backups kept, 0..99
    // The receiver followed in the logging window, port 1..65535; no receiver
    // when the host is empty.
    std::string ReceiverHost = std::string();
    int ReceiverPort = kDefaultReceiverPort;
    // The file exists but could not be read (another program holds it): it is
    // not written at shut-down, so the listener's values in it are not lost.
    bool Unreadable = false;
};

// The program's settings, read at start-up and written at shut-down.
extern SettingsState Settings;

// Reads one comma-delimited field starting at `*pos` and moves `*pos` to the
// start of the next line. At end of input the value is empty.
std::string ReadSettingsField(const std::string& bytes, size_t* pos);
// Decimal digits only, 0..99; false for anything else (empty, signs, blanks, 100).
bool ParseGenerationCount(const std::string& text, int* count);
// A port of 1..65535 as digits, or kDefaultReceiverPort for an empty text;
// false for anything else (0, 65536, signs, blanks).
bool ParseReceiverPort(const std::string& text, int* port);
// HOST:PORT as the fifth line holds it: a host of 1..kMaxHostChars characters
// without blanks, quotes, commas or control characters, then a port; false
// (and no receiver) for anything else.
bool ParseReceiverAddress(const std::string& text, std::string* host, int* port);
// The values from the file's bytes; each text is cut to kMaxPathChars. A missing
// or invalid fourth line gives kDefaultBackupGenerations.
SettingsState ParseSettings(const std::string& bytes);
// The file's five lines. A path with a comma is quoted so that it reads back whole.
std::string FormatSettings(const SettingsState& settings);

// Reads `fileName`; when it does not exist the defaults apply (MYLOG.ULM, no
// backup); when it cannot be read, both values are empty and Unreadable is set.
SettingsState ReadSettings(const char* fileName);
// The new lines are written and flushed beside the file (SettingsTemporaryName)
// and put in its place in one step, so a kill or a full disk leaves the old
// settings whole; false, with the old file as it was, when any step fails.
bool WriteSettings(const char* fileName, const SettingsState& settings);
// "<fileName>.TMP": there only while WriteSettings runs.
std::string SettingsTemporaryName(const char* fileName);
