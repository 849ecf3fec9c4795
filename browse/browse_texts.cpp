#include "browse/browse_texts.h"

const char* const kColumnHeading =
    "  Date      Time    Station               Location               Freq                     Remarks  ";

std::string BrowseWindowTitle(const std::string& logPath) {
    return "CORVANE v6    Browse Log" + std::string(30, ' ') + logPath;
}
