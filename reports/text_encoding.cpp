#include "reports/text_encoding.h"

#include <cstdint>
#include <cstring>

#include "logstore/code_page_1252.h"

namespace {

// The length of the plain ASCII text at the start, looked at eight bytes at a time.
size_t AsciiLength(std::string_view text) {
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at;
}

}  // namespace

size_t ValidUtf8Length(std::string_view text, bool* nonAscii) {
    size_t at = AsciiLength(text);
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            at += AsciiLength(text.substr(at));
            continue;
        }
        uint32_t c = 0;
        size_t length = DecodeUtf8Char(text, at, &c);
        if (length == 0) return at;
        *nonAscii = true;
        at += length;
    }
    return at;
}

bool ConvertUtf8(std::string_view text, std::string* out) {
    size_t at = AsciiLength(text);
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

std::string TextInCodePage1252(std::string_view bytes) {
    std::string_view text = bytes.substr(Utf8BomLength(bytes));
    std::string converted;
    if (ConvertUtf8(text, &converted)) return converted;
    return std::string(text);
}
