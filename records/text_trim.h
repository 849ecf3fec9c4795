// Blanks left out at the ends of a field's text: the trimming every reader and
// writer of records uses.
#pragma once
#include <cstddef>
#include <string>

std::string TrimRight(const std::string& text);
std::string TrimBoth(const std::string& text);
// True when the field holds only blanks.
bool IsBlank(const std::string& text);
// The blanks at either end of a text left out.
void TrimBlanks(const char** text, size_t* length);
