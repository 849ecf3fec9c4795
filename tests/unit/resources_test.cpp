// The committed pictures: they are exactly what the generator draws, and their
// decoded pixels show the clock's segment figures, the colon and the cyan
// background the main window expects.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "resources/art/bitmap_art.h"
#include "tests/unit/test_files.h"

namespace {

const std::string kResourceDir = ULMAR_SOURCE_DIR "/resources/";

struct Colour {
    int R, G, B;
    bool operator==(const Colour& o) const { return R == o.R && G == o.G && B == o.B; }
};
const Colour kCyan = {0, 255, 255};
const Colour kWhiteColour = {255, 255, 255};
const Colour kBlackColour = {0, 0, 0};

uint32_t U16(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// A decoded BMP file: its header values and its pixels, top row first.
struct Decoded {
    bool Ok = false;
    std::string Problem;
    int Width = 0, Height = 0, Bits = 0;
    std::vector<Colour> Palette;
    std::vector<Colour> Pixels;
    Colour At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// Reads an uncompressed BITMAPINFOHEADER file of 4 or 24 bits a pixel with
// bottom-up rows padded to four bytes.
Decoded DecodeBmp(const std::string& file) {
    Decoded d;
    if (file.size() < 54 || file.compare(0, 2, "BM") != 0) return d.Problem = "no BM header", d;
    if (U32(file, 2) != file.size()) return d.Problem = "file size field", d;
    uint32_t offset = U32(file, 10);
    if (U32(file, 14) != 40) return d.Problem = "info header size", d;
    d.Width = static_cast<int>(U32(file, 18));
    d.Height = static_cast<int>(U32(file, 22));
    d.Bits = static_cast<int>(U16(file, 28));
    if (U16(file, 26) != 1 || U32(file, 30) != 0) return d.Problem = "planes or compression", d;
    if (d.Width <= 0 || d.Height <= 0 || (d.Bits != 4 && d.Bits != 24)) return d.Problem = "size or depth", d;
    if (d.Bits == 4) {
        uint32_t used = U32(file, 46) ? U32(file, 46) : 16;
        for (uint32_t i = 0; i < used; ++i) {
            size_t at = 54 + 4 * i;
            d.Palette.push_back({static_cast<uint8_t>(file[at + 2]), static_cast<uint8_t>(file[at + 1]),
                                 static_cast<uint8_t>(file[at])});
        }
        if (offset != 54 + 4 * used) return d.Problem = "pixel offset", d;
    } else if (offset != 54) {
        return d.Problem = "pixel offset", d;
    }
    size_t rowBytes = ((static_cast<size_t>(d.Width) * d.Bits + 31) / 32) * 4;
    if (file.size() != offset + rowBytes * d.Height) return d.Problem = "pixel data length", d;
    d.Pixels.resize(static_cast<size_t>(d.Width) * d.Height);
    for (int row = 0; row < d.Height; ++row) {
        size_t start = offset + rowBytes * (d.Height - 1 - row);  // bottom row is stored first
        for (int x = 0; x < d.Width; ++x) {
            Colour c;
            if (d.Bits == 24) {
                size_t at = start + 3 * x;
                c = {static_cast<uint8_t>(file[at + 2]), static_cast<uint8_t>(file[at + 1]),
                     static_cast<uint8_t>(file[at])};
            } else {
                uint8_t pair = static_cast<uint8_t>(file[start + x / 2]);
                size_t index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
                if (index >= d.Palette.size()) return d.Problem = "index past palette", d;
                c = d.Palette[index];
            }
            d.Pixels[static_cast<size_t>(row) * d.Width + x] = c;
        }
    }
    d.Ok = true;
    return d;
}

Decoded LoadCommitted(const std::string& name) {
    Decoded d = DecodeBmp(ReadBytes(kResourceDir + name));
    EXPECT_TRUE(d.Ok) << name << ": " << d.Problem;
    return d;
}

using Pixel = std::pair<int, int>;  // (row, column)

// The clock figure, written out from the segment description: horizontal
// bars 9, 11, 9 pixels wide on their three rows; vertical bars 3 wide on
// 9 rows, each with a one-pixel tip in its middle column above and below.
std::set<Pixel> SegmentPixels(char segment) {
    std::set<Pixel> lit;
    auto bar = [&](int top) {
        for (int c = 3; c <= 11; ++c) lit.insert({top, c});
        for (int c = 2; c <= 12; ++c) lit.insert({top + 1, c});
        for (int c = 3; c <= 11; ++c) lit.insert({top + 2, c});
    };
    auto column = [&](int left, int firstRow, int lastRow) {
        for (int r = firstRow; r <= lastRow; ++r)
            for (int c = left; c <= left + 2; ++c) lit.insert({r, c});
        lit.insert({firstRow - 1, left + 1});
        lit.insert({lastRow + 1, left + 1});
    };
    switch (segment) {
        case 'T': bar(0); break;              // top
        case 'M': bar(12); break;             // middle
        case 'B': bar(24); break;             // bottom
        case 'f': column(0, 3, 11); break;    // upper left
        case 'F': column(12, 3, 11); break;   // upper right
        case 'g': column(0, 15, 23); break;   // lower left
        case 'G': column(12, 15, 23); break;  // lower right
    }
    return lit;
}

std::set<Pixel> ExpectedDigit(int digit) {
    // 0 all but the middle; 1 the right bars; 2 top, upper right, middle,
    // lower left, bottom; 3 top, upper right, middle, lower right, bottom;
    // 4 upper left, upper right, middle, lower right; 5 top, upper left,
    // middle, lower right, bottom; 6 all but upper right; 7 top, upper
    // right, lower right; 8 all; 9 all but lower left.
    const char* const kLit[10] = {"TBfFgG", "FG",     "TFMgB", "TFMGB",   "fFMG",
                                  "TfMGB",  "TfMgGB", "TFG",   "TMBfFgG", "TMBfFG"};
    std::set<Pixel> lit;
    for (const char* s = kLit[digit]; *s; ++s) {
        std::set<Pixel> part = SegmentPixels(*s);
        lit.insert(part.begin(), part.end());
    }
    return lit;
}

std::set<Pixel> WhitePixels(const Decoded& d) {
    std::set<Pixel> lit;
    for (int r = 0; r < d.Height; ++r)
        for (int c = 0; c < d.Width; ++c)
            if (d.At(c, r) == kWhiteColour) lit.insert({r, c});
    return lit;
}

// Every pixel is pure white or pure black.
bool OnlyWhiteAndBlack(const Decoded& d) {
    for (const Colour& c : d.Pixels)
        if (!(c == kWhiteColour) && !(c == kBlackColour)) return false;
    return true;
}

bool BorderIsCyan(const Decoded& d) {
    for (int x = 0; x < d.Width; ++x)
        if (!(d.At(x, 0) == kCyan) || !(d.At(x, d.Height - 1) == kCyan)) return false;
    for (int y = 0; y < d.Height; ++y)
        if (!(d.At(0, y) == kCyan) || !(d.At(d.Width - 1, y) == kCyan)) return false;
    return true;
}

TEST(Resources, GeneratorOutputEqualsCommittedFiles) {
    std::vector<ArtFile> files = AllArtFiles();
    std::vector<std::string> names;
    for (const ArtFile& f : files) names.push_back(f.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"ulmar.ico", "ulmar.bmp", "crest.bmp", "f0.bmp", "f1.bmp", "f2.bmp",
                                               "f3.bmp", "f4.bmp", "f5.bmp", "f6.bmp", "f7.bmp", "f8.bmp", "f9.bmp",
                                               "fc.bmp", "fb.bmp"}));
    for (const ArtFile& f : files) {
        std::string committed = ReadBytes(kResourceDir + f.Name);
        EXPECT_FALSE(committed.empty()) << f.Name;
        EXPECT_TRUE(committed == f.Bytes) << f.Name << " differs from the generator's output; rebuild it";
    }
}

TEST(Resources, ScriptNamesEveryPicture) {
    std::ifstream in(kResourceDir + "ulmar.rc");
    std::set<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.compare(0, 2, "//") != 0) lines.insert(line);
    std::set<std::string> expected = {"\"ICON\" ICON \"ulmar.ico\"", "ULMAR BITMAP \"ulmar.bmp\"",
                                      "CREST BITMAP \"crest.bmp\"", "FC BITMAP \"fc.bmp\"", "FB BITMAP \"fb.bmp\""};
    for (int digit = 0; digit <= 9; ++digit) {
        std::string n = std::to_string(digit);
        expected.insert("F" + n + " BITMAP \"f" + n + ".bmp\"");
    }
    EXPECT_EQ(lines, expected);
}

TEST(Resources, SizesAndDepths) {
    struct Want {
        const char* Name;
        int Width, Height, Bits;
    };
    std::vector<Want> wants = {
        {"ulmar.bmp", 256, 80, 24}, {"crest.bmp", 180, 40, 4}, {"fc.bmp", 3, 28, 4}, {"fb.bmp", 3, 28, 4}};
    for (int digit = 0; digit <= 9; ++digit) wants.push_back({nullptr, 15, 28, 4});
    for (size_t i = 0; i < wants.size(); ++i) {
        std::string name = wants[i].Name ? wants[i].Name : "f" + std::to_string(i - 4) + ".bmp";
        Decoded d = LoadCommitted(name);
        EXPECT_EQ(d.Width, wants[i].Width) << name;
        EXPECT_EQ(d.Height, wants[i].Height) << name;
        EXPECT_EQ(d.Bits, wants[i].Bits) << name;
        if (wants[i].Bits == 4) {
            EXPECT_EQ(d.Palette.size(), 16u) << name;
        }
    }
}

TEST(Resources, DigitsLightExactlyTheirSegments) {
    for (int digit = 0; digit <= 9; ++digit) {
        std::string name = "f" + std::to_string(digit) + ".bmp";
        Decoded d = LoadCommitted(name);
        ASSERT_TRUE(d.Ok);
        EXPECT_TRUE(OnlyWhiteAndBlack(d)) << name;
        EXPECT_EQ(WhitePixels(d), ExpectedDigit(digit)) << name;
        for (int c = 0; c < d.Width; ++c) EXPECT_TRUE(d.At(c, 27) == kBlackColour) << name << " row 27";
    }
}

TEST(Resources, EightShowsTheWholeFigure) {
    // Spot checks of the full figure against the description, pixel by pixel.
    Decoded d = LoadCommitted("f8.bmp");
    ASSERT_TRUE(d.Ok);
    std::set<Pixel> lit = WhitePixels(d);
    EXPECT_EQ(lit.size(), 3u * 29 + 4u * 29);  // three bars of 9+11+9, four bars of 27+2
    EXPECT_TRUE(lit.count({0, 3}) && lit.count({0, 11}) && !lit.count({0, 2}) && !lit.count({0, 12}));
    EXPECT_TRUE(lit.count({13, 2}) && lit.count({13, 12}) && !lit.count({13, 1}) && !lit.count({13, 13}));
    for (int r : {2, 12, 14, 24}) {
        EXPECT_TRUE(lit.count({r, 1}) && lit.count({r, 13})) << "tips on row " << r;
        EXPECT_FALSE(lit.count({r, 0}) || lit.count({r, 2}) || lit.count({r, 12}) || lit.count({r, 14}));
    }
}

TEST(Resources, ColonOnAndOff) {
    Decoded on = LoadCommitted("fc.bmp");
    Decoded off = LoadCommitted("fb.bmp");
    ASSERT_TRUE(on.Ok && off.Ok);
    std::set<Pixel> squares;
    for (int r : {8, 9, 10, 18, 19, 20})
        for (int c = 0; c < 3; ++c) squares.insert({r, c});
    EXPECT_TRUE(OnlyWhiteAndBlack(on));
    EXPECT_EQ(WhitePixels(on), squares);
    for (const Colour& c : off.Pixels) EXPECT_TRUE(c == kBlackColour);
}

TEST(Resources, BannerIsLightGreenOnCyan) {
    Decoded d = LoadCommitted("ulmar.bmp");
    ASSERT_TRUE(d.Ok);
    EXPECT_TRUE(BorderIsCyan(d));
    int lightGreen = 0;
    for (const Colour& c : d.Pixels)
        if (c.G >= 230 && c.R >= 100 && c.G - c.R >= 40 && c.G - c.B >= 40) ++lightGreen;
    EXPECT_GT(lightGreen, 2000);  // the five letters' faces
}

TEST(Resources, CrestIsBlueOnCyan) {
    Decoded d = LoadCommitted("crest.bmp");
    ASSERT_TRUE(d.Ok);
    EXPECT_TRUE(BorderIsCyan(d));
    int blue = 0;
    for (const Colour& c : d.Pixels)
        if (c.R == 0 && c.B == 255 && c.G <= 60) ++blue;
    EXPECT_GT(blue, 200);
    // The letters lean right: the stem of the first letter, "b", starts
    // further right near its top than near the baseline.
    auto firstBlue = [&](int y) {
        for (int x = 0; x < d.Width; ++x)
            if (d.At(x, y).G < 128) return x;
        return -1;
    };
    int top = firstBlue(16), foot = firstBlue(24);
    ASSERT_GE(top, 0);
    ASSERT_GE(foot, 0);
    EXPECT_GT(top, foot);
}

TEST(Resources, IconHoldsLargeAndSmallPictures) {
    std::string ico = ReadBytes(kResourceDir + "ulmar.ico");
    ASSERT_GE(ico.size(), 38u);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    ASSERT_EQ(U16(ico, 4), 2u);
    const int sizes[2] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        size_t entry = 6 + 16 * i;
        int size = sizes[i];
        EXPECT_EQ(static_cast<uint8_t>(ico[entry]), size);
        EXPECT_EQ(static_cast<uint8_t>(ico[entry + 1]), size);
        EXPECT_EQ(U16(ico, entry + 6), 4u);
        uint32_t bytes = U32(ico, entry + 8), at = U32(ico, entry + 12);
        ASSERT_LE(static_cast<size_t>(at) + bytes, ico.size());
        EXPECT_EQ(U32(ico, at), 40u);
        EXPECT_EQ(static_cast<int>(U32(ico, at + 4)), size);
        EXPECT_EQ(static_cast<int>(U32(ico, at + 8)), 2 * size);  // colours and mask
        size_t colourRow = size / 2, maskRow = 4;
        EXPECT_EQ(bytes, 40 + 64 + (colourRow + maskRow) * size);
        // Mask rows follow the colour rows, bottom row first; a set bit is
        // transparent. The top-left corner is clear, the middle opaque.
        size_t mask = at + 40 + 64 + colourRow * size;
        auto clear = [&](int x, int y) {
            uint8_t byte = static_cast<uint8_t>(ico[mask + maskRow * (size - 1 - y) + x / 8]);
            return (byte & (0x80 >> (x % 8))) != 0;
        };
        EXPECT_TRUE(clear(0, 0));
        EXPECT_FALSE(clear(size / 2, size * 3 / 4));
    }
}

}  // namespace
