#include "records/station_prefix.h"

namespace {

unsigned char UpperWestern(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return c;
    }
}

}  // namespace

void UpperCaseWestern(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(UpperWestern(static_cast<unsigned char>(text[i])));
    }
}

CaseTable MakeCaseTable(UpperCaseFn upper) {
    char bytes[256];
    for (int c = 0; c < 256; ++c) bytes[c] = static_cast<char>(c);
    upper(bytes, sizeof bytes);
    CaseTable table;
    for (int c = 0; c < 256; ++c) table.Upper[c] = static_cast<unsigned char>(bytes[c]);
    return table;
}

std::string UpperText(const std::string& text, const CaseTable& table) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(table.Upper[static_cast<unsigned char>(c)]);
    return out;
}
