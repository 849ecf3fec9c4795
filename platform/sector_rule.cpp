#include "platform/sector_rule.h"

namespace {

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

}  // namespace

uint32_t UnbufferedAlignment(uint32_t sectorSize) {
    if (sectorSize == 0) return kDefaultSectorAlignment;
    if (!IsPowerOfTwo(sectorSize) || sectorSize > kLargestSectorSize) return 0;
    return sectorSize < kDefaultSectorAlignment ? kDefaultSectorAlignment : sectorSize;
}

size_t UnbufferedChunk(size_t wanted, uint32_t alignment) {
    if (alignment == 0) return wanted;
    size_t whole = wanted - wanted % alignment;
    return whole == 0 ? alignment : whole;
}

bool FollowsSectorRule(const void* buffer, int64_t offset, size_t length, uint32_t alignment) {
    if (alignment == 0 || offset < 0) return false;
    uintptr_t address = reinterpret_cast<uintptr_t>(buffer);
    return address % alignment == 0 && static_cast<uint64_t>(offset) % alignment == 0 && length % alignment == 0;
}

AlignedBuffer MakeAlignedBuffer(size_t size, uint32_t alignment) {
    AlignedBuffer buffer;
    if (alignment == 0) alignment = 1;
    buffer.Storage.resize(size + alignment);
    uintptr_t address = reinterpret_cast<uintptr_t>(buffer.Storage.data());
    size_t skip = (alignment - address % alignment) % alignment;
    buffer.Data = buffer.Storage.data() + skip;
    buffer.Size = size;
    return buffer;
}
