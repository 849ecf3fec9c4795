#include "schedule/text_1252.h"

#include <cstdint>

namespace {

// Length of the valid UTF-8 sequence at `at` and its code point; 0 when invalid.
size_t DecodeUtf8(std::string_view text, size_t at, uint32_t* code) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *code = value;
    return length;
}

// Code page 1252's characters at 0x80..0x9F; 0 where it has none.
const uint16_t k1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// Base letters of U+0100..U+017F (Latin Extended-A), two characters a row of 16.
const char kExtendedA[] =
    "AaAaAaCcCcCcCcDd" "DdEeEeEeEeEeGgGg" "GgGgHhHhIiIiIiIi" "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo" "OoOoRrRrRrSsSsSs" "SsTtTtTtUuUuUuUu" "UuUuWwYyYZzZzZzs";

// The closest ASCII for a character outside Latin-1, or '?'.
char ClosestAscii(uint32_t code) {
    if (code >= 0x100 && code <= 0x17F) return kExtendedA[code - 0x100];
    switch (code) {
        case 0x0192: return 'f';
        case 0x0218: return 'S';
        case 0x0219: return 's';
        case 0x021A: return 'T';
        case 0x021B: return 't';
        case 0x2018: case 0x2019: case 0x201A: case 0x2039: case 0x203A: case 0x02B9: case 0x02BC: return '\'';
        case 0x201C: case 0x201D: case 0x201E: return '"';
        case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2212: return '-';
        case 0x02C6: return '^';
        case 0x02DC: return '~';
        default: return '?';
    }
}

void Append1252(uint32_t code, std::string* out) {
    if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0)) {
        out->push_back('?');
    } else if (code < 0x100) {
        out->push_back(static_cast<char>(code));
    } else {
        out->push_back(ClosestAscii(code));
    }
}

}  // namespace

size_t Utf8BomLength(std::string_view bytes) {
    return bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

bool DetectUtf8(std::string_view bytes) {
    if (Utf8BomLength(bytes)) return true;
    bool multiByte = false;
    for (size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        uint32_t code;
        size_t length = DecodeUtf8(bytes, at, &code);
        if (length == 0) return false;
        multiByte = true;
        at += length;
    }
    return multiByte;
}

std::string To1252(std::string_view text, bool utf8) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        uint32_t code = byte;
        size_t length = 1;
        if (utf8 && byte >= 0x80) {
            length = DecodeUtf8(text, at, &code);
            if (length == 0) code = 0xFFFD, length = 1;
        } else if (!utf8 && byte >= 0x80 && byte < 0xA0) {
            code = k1252High[byte - 0x80] ? k1252High[byte - 0x80] : 0xFFFD;
        }
        Append1252(code, &out);
        at += length;
    }
    return out;
}
