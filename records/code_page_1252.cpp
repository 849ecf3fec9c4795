#include "records/code_page_1252.h"

#include <cstring>

namespace {

// The characters of bytes 0x80..0x9F; the rest of the code page is Latin-1.
const uint16_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Printable ASCII, each its own closest form.
const char kPrintableAscii[] =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
static_assert(sizeof kPrintableAscii == 0x7F - 0x20 + 1, "one byte each for 32..126");

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

namespace {

// Closest ASCII of U+00A0..U+00FF (Latin-1's upper half), one entry a character.
const char* const kLatin1Closest[96] = {
    " ", "!", "",  "",  "",  "",  "|",  "",  "",  "",  "",  "\"", "",  "-", "",   "",    // A0..AF
    "",  "",  "",  "",  "'", "",  "",   "",  "",  "",  "",  "\"", "",  "",  "",   "?",   // B0..BF
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E",  "I", "I", "I",  "I",   // C0..CF
    "D", "N", "O", "O", "O", "O", "O",  "x", "O", "U", "U", "U",  "U", "Y", "TH", "ss",  // D0..DF
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e",  "i", "i", "i",  "i",   // E0..EF
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u",  "u", "y", "th", "y",   // F0..FF
};

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

// The ligatures of Latin Extended-A, two letters each.
std::string_view ExtendedALigature(uint32_t code) {
    switch (code) {
        case 0x0132: return "IJ";
        case 0x0133: return "ij";
        case 0x0152: return "OE";
        case 0x0153: return "oe";
        default: return {};
    }
}

// Letters beyond Latin Extended-A, and the quotes, dashes and marks.
std::string_view OtherClosest(uint32_t code) {
    switch (code) {
        case 0x0192: return "f";
        case 0x0218: return "S";
        case 0x0219: return "s";
        case 0x021A: return "T";
        case 0x021B: return "t";
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
        case 0x2032:
        case 0x2039:
        case 0x203A:
        case 0x02B9:
        case 0x02BC: return "'";
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
        case 0x2033: return "\"";
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
        case 0x2014:
        case 0x2015:
        case 0x2212: return "-";
        case 0x2026: return "...";
        case 0x02C6: return "^";
        case 0x02DC: return "~";
        default: return {};
    }
}

bool IsControl(uint32_t code) { return code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0); }

}  // namespace

std::string_view ClosestAscii(uint32_t code) {
    if (code >= 0x20 && code < 0x7F) return {kPrintableAscii + (code - 0x20), 1};
    if (code >= 0xA0 && code <= 0xFF) return kLatin1Closest[code - 0xA0];
    if (code >= 0x100 && code <= 0x17F) {
        std::string_view ligature = ExtendedALigature(code);
        return ligature.empty() ? std::string_view(kExtendedA + (code - 0x100), 1) : ligature;
    }
    return OtherClosest(code);
}

void AppendCodePage1252(uint32_t code, std::string* out) {
    unsigned char byte = CodePage1252Byte(code);
    if (byte != 0 || code == 0) {
        out->push_back(static_cast<char>(byte));
        return;
    }
    std::string_view closest = ClosestAscii(code);
    if (closest.empty()) closest = "?";
    out->append(closest.data(), closest.size());
}

bool Utf8ToCodePage1252(std::string_view text, std::string* out) {
    size_t at = PlainAsciiLength(text);
    if (at == text.size()) return false;
    out->assign(text.data(), at);
    out->reserve(text.size());
    while (at < text.size()) {
        uint32_t code = static_cast<unsigned char>(text[at]);
        size_t length = code < 0x80 ? 1 : DecodeUtf8Char(text, at, &code);
        if (length == 0) return false;
        AppendCodePage1252(code, out);
        at += length;
    }
    return true;
}

bool DetectUtf8(std::string_view bytes) {
    if (Utf8BomLength(bytes)) return true;
    bool multiByte = false;
    return ValidUtf8Length(bytes, &multiByte) == bytes.size() && multiByte;
}

std::string DisplayTextCodePage1252(std::string_view text, bool utf8) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        uint32_t code = CodePage1252Char(byte);
        size_t length = 1;
        if (utf8 && byte >= 0x80) {
            length = DecodeUtf8Char(text, at, &code);
            if (length == 0) code = 0xFFFD, length = 1;
        }
        if (IsControl(code)) {
            out.push_back('?');
        } else {
            AppendCodePage1252(code, &out);
        }
        at += length;
    }
    return out;
}

std::string CodePage1252ToAscii(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        uint32_t code = CodePage1252Char(static_cast<unsigned char>(byte));
        std::string_view closest = IsControl(code) ? std::string_view() : ClosestAscii(code);
        if (closest.empty()) closest = "?";
        out.append(closest.data(), closest.size());
    }
    return out;
}

std::string CodePage1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        uint32_t code = CodePage1252Char(static_cast<unsigned char>(byte));
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | code >> 6));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | code >> 12));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}
