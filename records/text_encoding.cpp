#include "records/text_encoding.h"

#include <cstdint>

#include "records/code_page_1252.h"

bool ConvertUtf8(std::string_view text, std::string* out) {
    size_t at = PlainAsciiLength(text);
    if (at == text.size()) return false;
    out->assign(text.data(), at);
    out->reserve(text.size());
    while (at < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[at]);
        if (b < 0x80) {
            out->push_back(static_cast<char>(b));
            ++at;
            continue;
        }
        uint32_t c = 0;
        size_t length = DecodeUtf8Char(text, at, &c);
        if (length == 0) return false;
        unsigned char byte = CodePage1252Byte(c);
        out->push_back(byte ? static_cast<char>(byte) : '?');
        at += length;
    }
    return true;
}
