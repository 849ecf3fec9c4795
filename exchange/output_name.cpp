#include "exchange/output_name.h"

std::string ExportNameFromUpperPath(const std::string& upperPath) { return OutputNameFromUpperPath(upperPath, ".CSV"); }

std::string OutputNameFromUpperPath(const std::string& upperPath, const std::string& extension) {
    const std::string from = ".ULM";
    const std::string& to = extension;
    std::string name;
    size_t at = 0;
    for (;;) {
        size_t found = upperPath.find(from, at);
        if (found == std::string::npos) break;
        name.append(upperPath, at, found - at);
        name += to;
        at = found + from.size();
    }
    name.append(upperPath, at, std::string::npos);
    return name;
}
