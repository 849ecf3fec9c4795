#include "records/code_page_1252.h"

#include <cstring>

namespace {

// The characters of bytes 0x80..0x9F; the rest of the code page is Latin-1.
const uint16_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The sequence length a lead byte announces; 0 for a continuation byte or 0xF8..0xFF.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x06) return 2;
    if ((lead >> 4) == 0x0E) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 0;
}

}  // namespace

size_t Utf8BomLength(std::string_view bytes) { return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0; }

size_t DecodeUtf8Char(std::string_view text, size_t at, uint32_t* code) {
    if (at >= text.size()) return 0;
    unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t length = SequenceLength(lead);
    if (length == 0 || length > text.size() - at) return 0;
    uint32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    // The smallest code point each length may carry: anything less is an overlong form.
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *code = value;
    return length;
}

size_t PlainAsciiLength(std::string_view text) {
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {  // eight bytes at a time
        uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at;
}

size_t ValidUtf8Length(std::string_view text, bool* nonAscii) {
    size_t at = PlainAsciiLength(text);
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            at += PlainAsciiLength(text.substr(at));
            continue;
        }
        uint32_t code = 0;
        size_t length = DecodeUtf8Char(text, at, &code);
        if (length == 0) return at;
        *nonAscii = true;
        at += length;
    }
    return at;
}

bool IsValidUtf8(std::string_view text) {
    bool nonAscii = false;
    return ValidUtf8Length(text, &nonAscii) == text.size();
}

uint32_t CodePage1252Char(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighCharacters[byte - 0x80] : byte;
}

unsigned char CodePage1252Byte(uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
    for (int i = 0; i < 32; ++i) {
        if (kHighCharacters[i] == code) return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}
