#include "records/text_trim.h"

std::string TrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

std::string TrimBoth(const std::string& text) {
    size_t begin = 0;
    while (begin < text.size() && text[begin] == ' ') ++begin;
    return TrimRight(text.substr(begin));
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void TrimBlanks(const char** text, size_t* length) {
    while (*length > 0 && (*text)[0] == ' ') {
        ++*text;
        --*length;
    }
    while (*length > 0 && (*text)[*length - 1] == ' ') --*length;
}
