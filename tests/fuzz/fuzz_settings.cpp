// The settings reader over arbitrary bytes: values are bounded, and what is
// written reads back as the same values whenever the path has no quote.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    SettingsState parsed = ParseSettings(bytes);
    if (parsed.LogPath.size() > kMaxPathChars || parsed.BackupDrive.size() > kMaxPathChars ||
        parsed.SchedulePath.size() > kMaxPathChars) {
        std::abort();
    }
    if (parsed.BackupGenerations < 0 || parsed.BackupGenerations > kMaxBackupGenerations) std::abort();
    if (parsed.ReceiverHost.size() > kMaxHostChars || parsed.ReceiverPort < 1 || parsed.ReceiverPort > 65535) {
        std::abort();
    }
    bool plainPath =
        parsed.LogPath.find_first_of("\"\r\n\t") == std::string::npos && parsed.LogPath.find_first_not_of(' ') == 0;
    bool plainDrive = parsed.BackupDrive.find_first_of(",\"\r\n\t") == std::string::npos &&
                      (parsed.BackupDrive.empty() || parsed.BackupDrive[0] != ' ');
    bool plainSchedule = parsed.SchedulePath.find_first_of("\"\r\n\t") == std::string::npos &&
                         (parsed.SchedulePath.empty() || parsed.SchedulePath[0] != ' ');
    if (plainPath && plainDrive && plainSchedule) {
        SettingsState back = ParseSettings(FormatSettings(parsed));
        if (back.LogPath != parsed.LogPath || back.BackupDrive != parsed.BackupDrive ||
            back.SchedulePath != parsed.SchedulePath || back.BackupGenerations != parsed.BackupGenerations ||
            back.ReceiverHost != parsed.ReceiverHost || back.ReceiverPort != parsed.ReceiverPort) {
            std::abort();
        }
    }
    return 0;
}
