// The text of a file brought in: UTF-8 when it is valid UTF-8, otherwise the
// bytes of the Windows Western code page (1252) the log is kept in.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A text that is valid UTF-8 and not plain ASCII is converted into `out`, each
// character outside code page 1252 becoming '?', and true is returned. False
// means the text is to be taken as it is: plain ASCII (the same in both), or
// not valid UTF-8 (overlong forms and surrogates are not), hence code page
// 1252 bytes.
bool ConvertUtf8(std::string_view text, std::string* out);
