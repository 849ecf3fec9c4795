#include "exchange/block_output.h"

#include <cstring>

bool WritePending(BlockOutput* out) {
    if (out->WriteFailed) return false;
    if (out->Used == 0) return true;
    if (!FileWriteAt(out->File, out->Offset, out->Block.data(), out->Used)) {
        out->WriteFailed = true;
        return false;
    }
    out->Offset += static_cast<int64_t>(out->Used);
    out->Used = 0;
    return true;
}

void PutText(BlockOutput* out, std::string_view text) {
    std::memcpy(out->Block.data() + out->Used, text.data(), text.size());
    out->Used += text.size();
}
