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

// Where the lowest marked byte is (a mark is a byte's high bit); `marks` is not 0.
inline size_t FirstMarkedByte(uint64_t marks) {
#ifdef _MSC_VER
    unsigned long bit = 0;
    _BitScanForward64(&bit, marks);
    return bit / 8;
#else
    return static_cast<size_t>(__builtin_ctzll(marks)) / 8;
#endif
}

// The high bit of each byte of `word` from `low` to `high` (both below 0x80).
// Every mark is sure: no sum carries into the next byte.
inline uint64_t BytesWithin(uint64_t word, unsigned char low, unsigned char high) {
    uint64_t seven = word & ~kHighBits;
    uint64_t fromLow = seven + (0x80 - low) * kEveryByte;
    uint64_t beyondHigh = seven + (0x80 - high - 1) * kEveryByte;
    return fromLow & ~beyondHigh & ~word & kHighBits;
}

// The word with its ASCII letters a-z in upper case; other bytes kept.
inline uint64_t UpperAsciiWord(uint64_t word) {
    return word ^ (BytesWithin(word, 'a', 'z') >> 2);  // 0x80 >> 2 is the case bit
}
