// Text as the log stores it: code page 1252 bytes. Schedule files come as
// Latin-1 (read here as code page 1252, its superset) or as UTF-8.
#pragma once
#include <string>
#include <string_view>

// True when the bytes start with a UTF-8 byte-order mark, or are valid UTF-8
// with at least one multi-byte character (plain ASCII counts as Latin-1).
bool DetectUtf8(std::string_view bytes);

// Code page 1252 bytes for `text`: Latin-1 letters kept, any other character
// its closest ASCII letter (or ASCII mark for quotes and dashes), else "?".
// Control characters become "?" too.
std::string To1252(std::string_view text, bool utf8);
