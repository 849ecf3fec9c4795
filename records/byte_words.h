// Eight bytes as one word, for the readers and writers of long texts whose
// bytes are mostly plain letters: a word is tested at once, not byte by byte.
// The first byte of the text is the word's lowest (see kLittleEndian).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#ifdef _MSC_VER
#include <intrin.h>
#endif

#include "records/record_values.h"

constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kHighBits = 0x8080808080808080;
constexpr uint64_t kBlanks = 0x2020202020202020;

inline uint64_t WordAt(const char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline void PutWord(char* bytes, uint64_t word) { std::memcpy(bytes, &word, sizeof word); }

// The high bit of each byte of `word` equal to `byte`. Only the lowest is sure
// (a borrow may mark the bytes above it), which is all FirstMarkedByte reads.
inline uint64_t BytesEqualTo(uint64_t word, unsigned char byte) {
    uint64_t x = word ^ (kEveryByte * byte);
    return (x - kEveryByte) & ~x & kHighBits;
}

// Where the lowest marked byte is; `marks` is not 0.
inline size_t FirstMarkedByte(uint64_t marks) {
#ifdef _MSC_VER
    unsigned long bit = 0;
    _BitScanForward64(&bit, marks);
    return bit / 8;
#else
    return static_cast<size_t>(__builtin_ctzll(marks)) / 8;
#endif
}

// The word with its ASCII letters a-z in upper case; other bytes kept.
inline uint64_t UpperAsciiWord(uint64_t word) {
    uint64_t low = word & ~kHighBits;
    uint64_t fromA = low + (0x80 - 'a') * kEveryByte;        // high bit set from 'a' on
    uint64_t beyondZ = low + (0x80 - 'z' - 1) * kEveryByte;  // and beyond 'z'
    uint64_t lower = fromA & ~beyondZ & ~word & kHighBits;
    return word ^ (lower >> 2);  // 0x80 >> 2 is the case bit
}

// The high bit of each byte of `word` from `low` to `high` (both below 0x80).
// Every mark is sure: no sum carries into the next byte.
inline uint64_t BytesWithin(uint64_t word, unsigned char low, unsigned char high) {
    uint64_t seven = word & ~kHighBits;
    uint64_t fromLow = seven + (0x80 - low) * kEveryByte;
    uint64_t beyondHigh = seven + (0x80 - high - 1) * kEveryByte;
    return fromLow & ~beyondHigh & ~word & kHighBits;
}
