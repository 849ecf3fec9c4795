// The log's code page and the UTF-8 reading every text brought in goes through.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "records/code_page_1252.h"

namespace {

// The character at the start of `bytes` as length and code point; {0, 0} when invalid.
std::pair<size_t, uint32_t> Decoded(const std::string& bytes) {
    uint32_t code = 0;
    size_t length = DecodeUtf8Char(bytes, 0, &code);
    return {length, code};
}

TEST(CodePage1252, ByteOrderMarkOnlyWhenWholeAtTheStart) {
    EXPECT_EQ(Utf8BomLength("\xEF\xBB\xBF"
                            "abc"),
              3u);
    EXPECT_EQ(Utf8BomLength("\xEF\xBB\xBF"), 3u);
    EXPECT_EQ(Utf8BomLength("\xEF\xBB"), 0u);
    EXPECT_EQ(Utf8BomLength("a\xEF\xBB\xBF"), 0u);
    EXPECT_EQ(Utf8BomLength(""), 0u);
}

TEST(CodePage1252, DecodesOneToFourByteCharacters) {
    EXPECT_EQ(Decoded("A"), std::make_pair(size_t{1}, uint32_t{0x41}));
    EXPECT_EQ(Decoded("\xC3\xA9x"), std::make_pair(size_t{2}, uint32_t{0xE9}));
    EXPECT_EQ(Decoded("\xE2\x82\xAC"), std::make_pair(size_t{3}, uint32_t{0x20AC}));       // euro sign
    EXPECT_EQ(Decoded("\xF0\x9F\x93\xBB"), std::make_pair(size_t{4}, uint32_t{0x1F4FB}));  // radio
    EXPECT_EQ(Decoded("\xF4\x8F\xBF\xBF"), std::make_pair(size_t{4}, uint32_t{0x10FFFF}));
    uint32_t code = 0;
    EXPECT_EQ(DecodeUtf8Char("ab\xC5\x92", 2, &code), 2u);
    EXPECT_EQ(code, 0x152u);
}

TEST(CodePage1252, RejectsOverlongSurrogateCutAndStrayBytes) {
    for (const std::string& bad :
         {std::string("\xC0\xAF"), std::string("\xC1\xBF"), std::string("\xE0\x80\xAF"),
          std::string("\xF0\x80\x80\xAF"),                           // overlong forms
          std::string("\xED\xA0\x80"), std::string("\xED\xBF\xBF"),  // surrogates
          std::string("\xF4\x90\x80\x80"), std::string("\xF8\x88\x80\x80\x80"), std::string("\xC3"),
          std::string("\xE2\x82"), std::string("\xF0\x9F\x93"), std::string("\x80"),
          std::string("\xC3"
                      "A"),
          std::string("\xFF")}) {
        uint32_t code = 0x1234;
        EXPECT_EQ(DecodeUtf8Char(bad, 0, &code), 0u) << bad;
        EXPECT_EQ(code, 0x1234u) << bad;
        EXPECT_FALSE(IsValidUtf8("ok " + bad + " ok")) << bad;
    }
    uint32_t code = 0;
    EXPECT_EQ(DecodeUtf8Char("ab", 2, &code), 0u);  // past the end
}

TEST(CodePage1252, ValidTextsIncludePlainAsciiAndEmpty) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain, text\r\n"));
    EXPECT_TRUE(
        IsValidUtf8("\xEF\xBB\xBF"
                    "S\xC3\xA3o \xE2\x82\xAC \xF0\x9F\x93\xBB"));
    EXPECT_FALSE(IsValidUtf8("S\xE3o"));  // Latin-1
}

TEST(CodePage1252, CharactersOfTheHighBytes) {
    EXPECT_EQ(CodePage1252Char(0x41), 0x41u);
    EXPECT_EQ(CodePage1252Char(0x80), 0x20ACu);  // euro sign
    EXPECT_EQ(CodePage1252Char(0x8C), 0x152u);   // OE ligature
    EXPECT_EQ(CodePage1252Char(0x9F), 0x178u);
    EXPECT_EQ(CodePage1252Char(0x81), 0x81u);  // unassigned: the control character
    EXPECT_EQ(CodePage1252Char(0xA0), 0xA0u);
    EXPECT_EQ(CodePage1252Char(0xFF), 0xFFu);
}

TEST(CodePage1252, BytesOfCharactersAndZeroWithout) {
    EXPECT_EQ(CodePage1252Byte(0x41), 0x41);
    EXPECT_EQ(CodePage1252Byte(0x20AC), 0x80);
    EXPECT_EQ(CodePage1252Byte(0x152), 0x8C);
    EXPECT_EQ(CodePage1252Byte(0x153), 0x9C);
    EXPECT_EQ(CodePage1252Byte(0x2122), 0x99);
    EXPECT_EQ(CodePage1252Byte(0x9D), 0x9D);
    EXPECT_EQ(CodePage1252Byte(0xE9), 0xE9);
    EXPECT_EQ(CodePage1252Byte(0x80), 0);    // its place holds the euro sign
    EXPECT_EQ(CodePage1252Byte(0x100), 0);   // A with macron
    EXPECT_EQ(CodePage1252Byte(0x0420), 0);  // Cyrillic
    EXPECT_EQ(CodePage1252Byte(0x1F4FB), 0);
    for (int byte = 0xA0; byte <= 0xFF; ++byte) EXPECT_EQ(CodePage1252Byte(CodePage1252Char(byte)), byte);
    for (int byte = 0x80; byte < 0xA0; ++byte) EXPECT_EQ(CodePage1252Byte(CodePage1252Char(byte)), byte);
}

// UTF-8 into the log's code page: the code page's own characters as their
// bytes, any other its closest ASCII letter or mark, else "?".
TEST(CodePage1252, Utf8IntoTheCodePageByTheClosestLetterTable) {
    struct Case {
        const char* Utf8;
        const char* Expected;
    };
    const Case cases[] = {
        {"\xC3\xB3", "\xF3"},      // o with acute
        {"\xE2\x82\xAC", "\x80"},  // euro sign
        {"\xC5\xA0", "\x8A"},      // S with caron
        {"\xC5\x92", "\x8C"},      // OE ligature
        {"\xE2\x80\xA6", "\x85"},  // ellipsis
        {"\xE2\x84\xA2", "\x99"},  // trade mark
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "L\xF3"
         "dz"},  // Lodz with its Polish letters
        {"\xC4\x90\xC4\x9F\xC5\x91\xC5\xB1", "Dgou"},
        {"\xC4\xB2\xC4\xB3", "IJij"},                     // ligatures the code page lacks
        {"\xC8\x98\xC8\x9B", "St"},                       // comma below
        {"\xE2\x80\x90\xE2\x80\x95\xE2\x88\x92", "---"},  // dashes the code page lacks
        {"\xE2\x80\x9B\xE2\x80\x9F\xE2\x80\xB2", "'\"'"},
        {"\xD0\x96", "?"},                         // Cyrillic
        {"\xE4\xB8\xAD", "?"},                     // Chinese
        {"\xF0\x9F\x93\xBB", "?"},                 // an emoji
        {"tab\there \xC2\x81", "tab\there \x81"},  // controls are the reader's own business
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_TRUE(Utf8ToCodePage1252(c.Utf8, &out)) << c.Utf8;
        EXPECT_EQ(out, c.Expected) << c.Utf8;
    }
}

// The log's code page into printable ASCII for fields that must be plain
// ASCII: base letters, ligatures spelt out, quotes and dashes as ASCII marks.
TEST(CodePage1252, CodePageIntoAsciiByTheClosestLetterTable) {
    struct Case {
        const char* Bytes;
        const char* Expected;
    };
    const Case cases[] = {
        {"plain ASCII ~!", "plain ASCII ~!"},
        {"\xE1\xE0\xE2\xE4\xE3\xE5", "aaaaaa"},
        {"\xC1\xC9\xCD\xD3\xDA\xDD", "AEIOUY"},
        {"\x8A\x9A\x8E\x9E\x9F\x83", "SsZzYf"},
        {"\xDF", "ss"},
        {"\xE6\xC6", "aeAE"},
        {"\x8C\x9C", "OEoe"},
        {"\xDE\xFE\xD0\xF0", "THthDd"},
        {"\xD8\xF8\xC7\xE7\xD1\xF1", "OoCcNn"},
        {"\x91\x92\x82\x8B\x9B", "'''''"},
        {"\x93\x94\x84\xAB\xBB", "\"\"\"\"\""},
        {"\x96\x97\xAD", "---"},
        {"\x85", "..."},
        {"\xA0", " "},
        {"\x80\x99\xA9\xB0\x95", "?????"},  // signs with no ASCII letter
        {"\x81\x8D\x8F\x90\x9D", "?????"},  // the bytes the code page leaves unassigned
        {"a\tb\x01"
         "c\x7F",
         "a?b?c?"},  // control characters
    };
    for (const Case& c : cases) EXPECT_EQ(CodePage1252ToAscii(c.Bytes), c.Expected) << c.Bytes;
}

// Every byte of the code page comes out as printable ASCII.
TEST(CodePage1252, EveryByteBecomesPrintableAscii) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string ascii = CodePage1252ToAscii(std::string(1, static_cast<char>(byte)));
        ASSERT_FALSE(ascii.empty()) << byte;
        for (char c : ascii) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << byte;
    }
}

}  // namespace
