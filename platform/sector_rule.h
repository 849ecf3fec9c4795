// Reading past the system's cache (FILE_FLAG_NO_BUFFERING on Windows, O_DIRECT
// on Linux) is allowed only when the buffer's address, the file offset and the
// length are each a whole number of sectors. Real Windows refuses anything else,
// while Wine ignores the flag, so the rule lives here and is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Used when the volume does not say its sector size; a multiple of every
// sector size in use (512 and 4096 bytes).
constexpr uint32_t kDefaultSectorAlignment = 4096;
constexpr uint32_t kLargestSectorSize = 65536;

// The alignment to use for a volume reporting `sectorSize`: the sector size, at
// least 4096 (a multiple of it); 4096 when unknown (0); 0 when no alignment can
// be trusted (not a power of two, or too large), so the read must use the cache.
uint32_t UnbufferedAlignment(uint32_t sectorSize);
// `wanted` rounded down to whole multiples of `alignment`, at least one.
size_t UnbufferedChunk(size_t wanted, uint32_t alignment);
// True when address, offset and length all follow the rule for `alignment`.
bool FollowsSectorRule(const void* buffer, int64_t offset, size_t length, uint32_t alignment);

// A buffer whose `data` starts on an `alignment` boundary and holds `size` bytes.
struct AlignedBuffer {
    std::vector<char> Storage;
    char* Data = nullptr;
    size_t Size = 0;
};
AlignedBuffer MakeAlignedBuffer(size_t size, uint32_t alignment);
