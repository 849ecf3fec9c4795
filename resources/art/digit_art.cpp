#include "resources/art/digit_art.h"

namespace {

struct Span {
    int Row, First, Last;
};

// Pixels of a horizontal bar whose top row is `top`.
void DrawHorizontalBar(IndexedImage* image, int top) {
    const Span rows[] = {{0, 3, 11}, {1, 2, 12}, {2, 3, 11}};
    for (const Span& span : rows)
        for (int x = span.First; x <= span.Last; ++x) SetPixel(image, x, top + span.Row, kWhite);
}

// A vertical bar in columns left..left+2 on rows top..bottom, with a tip in
// its middle column one row above and one row below.
void DrawVerticalBar(IndexedImage* image, int left, int top, int bottom) {
    FillRect(image, left, top, left + 2, bottom, kWhite);
    SetPixel(image, left + 1, top - 1, kWhite);
    SetPixel(image, left + 1, bottom + 1, kWhite);
}

void DrawSegment(IndexedImage* image, char segment) {
    switch (segment) {
        case 'a': DrawHorizontalBar(image, 0); break;
        case 'g': DrawHorizontalBar(image, 12); break;
        case 'd': DrawHorizontalBar(image, 24); break;
        case 'f': DrawVerticalBar(image, 0, 3, 11); break;
        case 'b': DrawVerticalBar(image, 12, 3, 11); break;
        case 'e': DrawVerticalBar(image, 0, 15, 23); break;
        case 'c': DrawVerticalBar(image, 12, 15, 23); break;
        default: break;
    }
}

}  // namespace

const char* DigitSegments(int digit) {
    static const char* const kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                              "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    return digit >= 0 && digit <= 9 ? kSegments[digit] : "";
}

IndexedImage DrawDigit(int digit) {
    IndexedImage image = MakeIndexedImage(kDigitWidth, kDigitHeight, StandardPalette(), kBlack);
    for (const char* segment = DigitSegments(digit); *segment; ++segment) DrawSegment(&image, *segment);
    return image;
}

IndexedImage DrawColon(bool lit) {
    IndexedImage image = MakeIndexedImage(kColonWidth, kDigitHeight, StandardPalette(), kBlack);
    if (lit) {
        FillRect(&image, 0, 8, 2, 10, kWhite);
        FillRect(&image, 0, 18, 2, 20, kWhite);
    }
    return image;
}
