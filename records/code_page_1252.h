// The log keeps its texts as code page 1252 bytes; texts brought in from files
// may be UTF-8. The reading of UTF-8 and the code page's own characters, once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The length of a leading UTF-8 byte-order mark: 3 or 0.
size_t Utf8BomLength(std::string_view bytes);

// The length of the valid UTF-8 character at `at` (1 to 4) with its code point
// in `*code`; 0, leaving `*code` alone, when the bytes there are not UTF-8:
// stray or missing continuation bytes, a cut sequence, an overlong form, a
// surrogate or a code point past U+10FFFF.
size_t DecodeUtf8Char(std::string_view text, size_t at, uint32_t* code);

// The length of the plain ASCII text at the start of `text`.
size_t PlainAsciiLength(std::string_view text);

// How far `text` is valid UTF-8: text.size() when all of it is. `*nonAscii`
// is set when a character beyond plain ASCII was met on the way. A file read
// in parts can be checked part by part, when no character is cut by a part's
// end.
size_t ValidUtf8Length(std::string_view text, bool* nonAscii);

// True when every character of `text` is valid UTF-8 (plain ASCII is).
bool IsValidUtf8(std::string_view text);

// The character a code page 1252 byte stands for. The five bytes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, as the system converts them.
uint32_t CodePage1252Char(unsigned char byte);

// The code page 1252 byte of a character; 0 when the code page has none.
unsigned char CodePage1252Byte(uint32_t code);

// The one closest-letter table: the closest plain ASCII for a character, one
// to three printable ASCII bytes ("a" for "á", "ss" for "ß", "OE" for "Œ",
// "-" for a dash, "..." for an ellipsis); empty when there is none.
std::string_view ClosestAscii(uint32_t code);

// Appends the code page 1252 form of one character: its own byte when the
// code page has it, else its closest ASCII, else "?".
void AppendCodePage1252(uint32_t code, std::string* out);

// A text that is valid UTF-8 and not plain ASCII is converted into `out` by
// AppendCodePage1252, character by character, and true is returned. False
// means the text is to be taken as it is: plain ASCII (the same in both), or
// not valid UTF-8 (overlong forms and surrogates are not), hence code page
// 1252 bytes.
bool Utf8ToCodePage1252(std::string_view text, std::string* out);

// True when the bytes start with a UTF-8 byte-order mark, or are valid UTF-8
// with at least one multi-byte character (plain ASCII counts as code page 1252).
bool DetectUtf8(std::string_view bytes);

// A text shown and stored as a name: code page 1252 bytes for `text` (UTF-8
// when `utf8`, else code page 1252 itself), every character by
// AppendCodePage1252, while control characters and broken UTF-8 become "?".
std::string DisplayTextCodePage1252(std::string_view text, bool utf8);

// Code page 1252 bytes as UTF-8, character by character (CodePage1252Char).
std::string CodePage1252ToUtf8(std::string_view bytes);

// Code page 1252 bytes as printable ASCII (32 to 126), for fields that must
// be plain ASCII: every other character by its closest ASCII, else "?".
std::string CodePage1252ToAscii(std::string_view bytes);
