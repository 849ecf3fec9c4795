#include "schedule/text_1252.h"

#include <cstdint>

#include "records/code_page_1252.h"

namespace {

// Base letters of U+0100..U+017F (Latin Extended-A), two characters a row of 16.
const char kExtendedA[] =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

// The closest ASCII for a character outside Latin-1, or '?'.
char ClosestAscii(uint32_t code) {
    if (code >= 0x100 && code <= 0x17F) return kExtendedA[code - 0x100];
    switch (code) {
        case 0x0192: return 'f';
        case 0x0218: return 'S';
        case 0x0219: return 's';
        case 0x021A: return 'T';
        case 0x021B: return 't';
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x2039:
        case 0x203A:
        case 0x02B9:
        case 0x02BC: return '\'';
        case 0x201C:
        case 0x201D:
        case 0x201E: return '"';
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
        case 0x2014:
        case 0x2212: return '-';
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

bool DetectUtf8(std::string_view bytes) {
    if (Utf8BomLength(bytes)) return true;
    bool multiByte = false;
    return ValidUtf8Length(bytes, &multiByte) == bytes.size() && multiByte;
}

std::string To1252(std::string_view text, bool utf8) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        uint32_t code = byte;
        size_t length = 1;
        if (utf8 && byte >= 0x80) {
            length = DecodeUtf8Char(text, at, &code);
            if (length == 0) code = 0xFFFD, length = 1;
        } else if (!utf8) {
            code = CodePage1252Char(byte);
        }
        Append1252(code, &out);
        at += length;
    }
    return out;
}
