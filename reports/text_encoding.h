// The text of a file brought in: UTF-8 when it is valid UTF-8, otherwise the
// bytes of the Windows Western code page (1252) the log is kept in.
#pragma once
#include <string>

// Drops a UTF-8 byte-order mark. A file that is then valid UTF-8 is converted
// to code page 1252, each character outside it becoming '?'; any other file
// is taken as code page 1252 bytes as they are.
std::string TextInCodePage1252(const std::string& bytes);

// Converts valid UTF-8 into `out`; false, leaving `out` unspecified, when the
// bytes are not valid UTF-8 (overlong forms and surrogates are not).
bool Utf8ToCodePage1252(const std::string& utf8, std::string* out);
