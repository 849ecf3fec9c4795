// CURLOG.DTA: two CR LF lines in the current directory, the current log's path
// and the backup drive letter.
#pragma once
#include <string>

constexpr const char* kSettingsFileName = "CURLOG.DTA";
constexpr const char* kDefaultLogPath = "MYLOG.ULM";
constexpr size_t kMaxPathChars = 259;

struct SettingsState {
    // The log named in the file: opened at start-up and set from Log.OpenPath,
    // the one path of the open log, at shut-down.
    std::string LogPath;      // empty when no log is selected
    std::string BackupDrive;  // empty when no backup is made
    // The file exists but could not be read (another program holds it): it is
    // not written at shut-down, so the listener's values in it are not lost.
    bool Unreadable = false;
};

// The program's settings, read at start-up and written at shut-down.
extern SettingsState Settings;

// Reads one comma-delimited field starting at `*pos` and moves `*pos` to the
// start of the next line. At end of input the value is empty.
std::string ReadSettingsField(const std::string& bytes, size_t* pos);
// Both values from the file's bytes; each is cut to kMaxPathChars.
SettingsState ParseSettings(const std::string& bytes);
// The file's bytes. A path with a comma is quoted so that it reads back whole.
std::string FormatSettings(const SettingsState& settings);

// Reads `fileName`; when it does not exist the defaults apply (MYLOG.ULM, no
// backup); when it cannot be read, both values are empty and Unreadable is set.
SettingsState ReadSettings(const char* fileName);
bool WriteSettings(const char* fileName, const SettingsState& settings);
