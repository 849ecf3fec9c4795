#include "ui/full_path.h"

#include <windows.h>

std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return path;
    char longer[MAX_PATH * 4];
    // Short 8.3 spellings of an existing file become its long name.
    DWORD m = GetLongPathNameA(full, longer, sizeof longer);
    if (m == 0 || m >= sizeof longer) return full;
    return longer;
}
