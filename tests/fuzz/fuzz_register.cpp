// The register reader over arbitrary bytes: it never reads past its input,
// every row it accepts keeps its bounds, and what it accepts is written and
// read back to the same values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "reports/register_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    RegisterContent content;
    std::string why;
    if (!DecodeRegister(bytes, &content, &why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    for (const RegisterRow& row : content.Rows) {
        if (row.Details.size() > kMaxDetailsChars || row.ReplyNote.size() > kMaxReplyNoteChars) std::abort();
        if (row.Sinpo.size() > kSinpoChars || row.SentDate.size() > kRegisterDateChars) std::abort();
        if (row.Key.Occurrence == 0 || row.PendingKey.Occurrence == 0) std::abort();
    }
    RegisterContent back;
    std::string again = EncodeRegister(content);
    if (!DecodeRegister(again, &back, &why) || back.Rows.size() != content.Rows.size()) std::abort();
    for (size_t i = 0; i < back.Rows.size(); ++i) {
        if (!SameRowValues(back.Rows[i], content.Rows[i])) std::abort();
    }
    return 0;
}
