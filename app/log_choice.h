// Window-free decisions around the Open dialog used to switch logs.
#pragma once
#include <cstddef>
#include <string>

// Platform id of the NT family in the system's version information.
constexpr unsigned long kPlatformNtFamily = 2;

// Whether the full Open dialog structure may be used: only on NT-family
// systems from major version 5 on; an older system, or a failed version
// query, gets the older, shorter structure.
bool UseFullOpenDialogStructure(bool versionQueryFailed, unsigned long platformId, unsigned long majorVersion);

// The log path after the dialog: the chosen name when the dialog accepted a
// non-empty one, otherwise the previous path. `buffer` holds `capacity` bytes
// and may lack a terminator; whatever a failed dialog left in it is ignored
// (after a too-long name it holds the needed size, not a name).
std::string ChosenLogPath(const std::string& previous, bool accepted, const char* buffer, size_t capacity);

// A typed name without an extension gets `extension` (for example NIGHT
// becomes NIGHT.LOG), unless a file of exactly that name exists or the result
// would be longer than a log path may be. Some dialogs leave this to the
// program when the file does not exist yet.
std::string WithDefaultExtension(const std::string& path, const std::string& extension, bool fileExists);
