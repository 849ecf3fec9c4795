#include "app/log_choice.h"

#include <cstring>

#include "platform/file.h"
#include "settings/settings_file.h"

bool UseFullOpenDialogStructure(bool versionQueryFailed, unsigned long platformId, unsigned long majorVersion) {
    if (versionQueryFailed) return false;
    return platformId == kPlatformNtFamily && majorVersion > 4;
}

std::string ChosenLogPath(const std::string& previous, bool accepted, const char* buffer, size_t capacity) {
    if (!accepted || capacity == 0) return previous;
    const void* end = std::memchr(buffer, 0, capacity);
    size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - buffer) : capacity - 1;
    if (length == 0) return previous;
    return std::string(buffer, length);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension, bool fileExists) {
    size_t nameStart = FileNameStart(path);
    bool hasName = nameStart < path.size();
    bool hasExtension = path.find('.', nameStart) != std::string::npos;
    std::string extended = path + "." + extension;
    if (!hasName || hasExtension || fileExists || extended.size() > kMaxPathChars) return path;
    return extended;
}
