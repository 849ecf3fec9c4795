#include "records/text_trim.h"

std::string TrimRight(const std::string& text) { return std::string(TrimmedEnd(text)); }

std::string TrimBoth(const std::string& text) { return std::string(Trimmed(text)); }

bool IsBlank(std::string_view text) { return TrimmedStart(text).empty(); }
