#include "reports/text_encoding.h"

#include <cstdint>
#include <cstring>

namespace {

// The characters of bytes 0x80..0x9F. The five bytes the code page leaves
// unassigned stand for the control characters of the same number, as the
// system converts them.
const uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCodePage1252(uint32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes the character at `at`; false when the bytes there are not UTF-8.
bool DecodeOne(std::string_view text, size_t* at, uint32_t* c) {
    unsigned char lead = static_cast<unsigned char>(text[*at]);
    size_t extra = 0;
    uint32_t value = 0;
    uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07u;
        least = 0x10000;
    } else {
        return false;
    }
    if (text.size() - *at <= extra) return false;
    for (size_t i = 1; i <= extra; ++i) {
        unsigned char b = static_cast<unsigned char>(text[*at + i]);
        if (!IsContinuation(b)) return false;
        value = (value << 6) | (b & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    *at += extra + 1;
    *c = value;
    return true;
}

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
        if (!DecodeOne(text, &at, &c)) return false;
        out->push_back(ToCodePage1252(c));
    }
    return true;
}

size_t TextStart(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

std::string TextInCodePage1252(std::string_view bytes) {
    std::string_view text = bytes.substr(TextStart(bytes));
    std::string converted;
    if (ConvertUtf8(text, &converted)) return converted;
    return std::string(text);
}
