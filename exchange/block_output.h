// An export's output gathered a block at a time, so a run makes few large
// writes whatever the size of its lines.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/file.h"

struct BlockOutput {
    PlatformFile File;
    int64_t Offset = 0;       // where the gathered bytes go
    std::vector<char> Block;  // sized by the export: a block and room for its longest line
    size_t Used = 0;
    bool WriteFailed = false;
};

// Writes what is gathered; false once a write has failed, and nothing is
// written after that.
bool WritePending(BlockOutput* out);
void PutText(BlockOutput* out, std::string_view text);
