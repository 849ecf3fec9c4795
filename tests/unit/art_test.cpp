// The picture generator's pieces: file encoders, pixel drawing and the
// sampled lettering.
#include <gtest/gtest.h>

#include <string>

#include "resources/art/bmp_encode.h"
#include "resources/art/coverage.h"
#include "resources/art/lettering.h"
#include "resources/art/raster.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

TEST(BmpEncode, TrueColourRowsBottomUpAndPadded) {
    RgbImage image = MakeRgbImage(1, 2, {0, 0, 0});
    image.Pixels[0] = {10, 20, 30};  // top
    image.Pixels[1] = {40, 50, 60};  // bottom
    std::string file = EncodeBmp24(image);
    ASSERT_EQ(file.size(), 62u);
    EXPECT_EQ(file.substr(0, 6), Bytes({'B', 'M', 62, 0, 0, 0}));
    EXPECT_EQ(file.substr(10, 4), Bytes({54, 0, 0, 0}));
    EXPECT_EQ(file.substr(28, 2), Bytes({24, 0}));
    EXPECT_EQ(file.substr(34, 4), Bytes({8, 0, 0, 0}));  // image size
    EXPECT_EQ(file.substr(54), Bytes({60, 50, 40, 0, 30, 20, 10, 0}));
}

TEST(BmpEncode, SixteenColoursPackTwoPixelsAByte) {
    IndexedImage image = MakeIndexedImage(3, 1, {{1, 2, 3}, {4, 5, 6}}, 0);
    image.Pixels = {1, 2, 3};
    std::string file = EncodeBmp4(image);
    ASSERT_EQ(file.size(), 54u + 64u + 4u);
    EXPECT_EQ(file.substr(10, 4), Bytes({118, 0, 0, 0}));
    EXPECT_EQ(file.substr(28, 2), Bytes({4, 0}));
    EXPECT_EQ(file.substr(46, 4), Bytes({16, 0, 0, 0}));
    EXPECT_EQ(file.substr(54, 8), Bytes({3, 2, 1, 0, 6, 5, 4, 0}));  // blue, green, red
    EXPECT_EQ(file.substr(62, 4), Bytes({0, 0, 0, 0}));              // unused entries black
    EXPECT_EQ(file.substr(118), Bytes({0x12, 0x30, 0, 0}));
}

TEST(BmpEncode, IconMaskAndClearedColours) {
    IconImage icon;
    icon.Colours = MakeIndexedImage(16, 16, StandardPalette(), kRed);
    icon.Opaque.assign(256, false);
    icon.Opaque[0] = true;  // only the top-left pixel shows
    std::string file = EncodeIcon({icon});
    uint32_t size = 40 + 64 + 16 * 8 + 16 * 4;
    ASSERT_EQ(file.size(), 6u + 16u + size);
    EXPECT_EQ(file.substr(0, 6), Bytes({0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(file.substr(6, 16), Bytes({16, 16, 16, 0, 1, 0, 4, 0, static_cast<int>(size & 0xFF),
                                         static_cast<int>(size >> 8), 0, 0, 22, 0, 0, 0}));
    EXPECT_EQ(file.substr(22 + 8, 4), Bytes({32, 0, 0, 0}));  // height doubled
    size_t colours = 22 + 40 + 64;
    EXPECT_EQ(file.substr(colours, 8), std::string(8, '\0'));            // bottom row: cleared
    EXPECT_EQ(file.substr(colours + 15 * 8, 2), Bytes({kRed << 4, 0}));  // top row keeps its pixel
    size_t mask = colours + 16 * 8;
    EXPECT_EQ(file.substr(mask, 4), Bytes({0xFF, 0xFF, 0, 0}));           // bottom row all clear
    EXPECT_EQ(file.substr(mask + 15 * 4, 4), Bytes({0x7F, 0xFF, 0, 0}));  // top-left opaque
}

TEST(Raster, DrawingStaysInsideAndDiscsCountHalfPixels) {
    IndexedImage image = MakeIndexedImage(5, 5, StandardPalette(), kBlack);
    FillDisc(&image, 5, 5, 2, kWhite);  // centre of pixel (2, 2), radius one pixel
    int lit = 0;
    for (uint8_t p : image.Pixels) lit += p == kWhite;
    EXPECT_EQ(lit, 5);
    EXPECT_EQ(PixelAt(image, 1, 2), kWhite);
    EXPECT_EQ(PixelAt(image, 1, 1), kBlack);
    DrawLine(&image, -3, 4, 8, 4, kRed);  // runs off both sides
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(image, x, 4), kRed);
    FrameRect(&image, 0, 0, 4, 4, kBlue);
    EXPECT_EQ(PixelAt(image, 2, 2), kWhite);
    EXPECT_EQ(PixelAt(image, 4, 0), kBlue);
}

TEST(Raster, MixRoundsToNearest) {
    EXPECT_TRUE(Mix({0, 0, 0}, {255, 255, 255}, 1, 2) == (Rgb{128, 128, 128}));
    EXPECT_TRUE(Mix({0, 255, 255}, {0, 0, 255}, 15, 15) == (Rgb{0, 0, 255}));
    EXPECT_TRUE(Mix({0, 255, 255}, {0, 0, 255}, 0, 15) == (Rgb{0, 255, 255}));
}

Lettering OneStroke(Stroke stroke, int halfWidth) {
    Lettering lettering;
    Glyph glyph;
    glyph.HalfWidth = halfWidth;
    glyph.Strokes.push_back(stroke);
    lettering.Glyphs.push_back(glyph);
    return lettering;
}

int At(const std::vector<int>& coverage, int width, int x, int y) { return coverage[y * width + x]; }

TEST(Coverage, StrokeWidthGrowthAndShift) {
    // A horizontal pen along y = 2.5 pixels, one pixel either side.
    Lettering bar = OneStroke({0, 20, 80, 20}, kSub);
    std::vector<int> plain = RenderCoverage(bar, 12, 6, 0, 0, 0);
    EXPECT_EQ(At(plain, 12, 5, 0), 0);
    EXPECT_EQ(At(plain, 12, 5, 1), kFullCoverage / 2);  // sub rows 12..15 of 8..15
    EXPECT_EQ(At(plain, 12, 5, 2), kFullCoverage);
    EXPECT_EQ(At(plain, 12, 5, 3), kFullCoverage * 5 / 8);  // sub rows 24..28
    EXPECT_EQ(At(plain, 12, 11, 2), 1);                     // only the round end's tip sample
    std::vector<int> grown = RenderCoverage(bar, 12, 6, kSub, 0, 0);
    EXPECT_EQ(At(grown, 12, 5, 1), kFullCoverage);
    EXPECT_EQ(At(grown, 12, 5, 0), kFullCoverage / 2);
    std::vector<int> moved = RenderCoverage(bar, 12, 6, 0, 0, 2 * kSub);
    EXPECT_EQ(At(moved, 12, 5, 4), kFullCoverage);
    EXPECT_EQ(At(moved, 12, 5, 2), 0);
}

TEST(Coverage, SlantAndClipBox) {
    // A vertical pen at x = 2 px from y = 0 to 8 px, slanted one to one
    // about a baseline at 8 px: its top leans right.
    Lettering stem = OneStroke({16, 0, 16, 64}, kSub / 2);
    stem.Baseline = 8 * kSub;
    stem.SlantNumerator = 1;
    std::vector<int> slanted = RenderCoverage(stem, 12, 8, 0, 0, 0);
    EXPECT_GT(At(slanted, 12, 2, 7), 0);
    EXPECT_EQ(At(slanted, 12, 2, 1), 0);
    EXPECT_GT(At(slanted, 12, 8, 1), 0);
    Lettering clipped = OneStroke({16, 0, 16, 64}, kSub / 2);
    clipped.Glyphs[0].Clipped = true;
    clipped.Glyphs[0].ClipLeft = 0;
    clipped.Glyphs[0].ClipTop = 3 * kSub;
    clipped.Glyphs[0].ClipRight = 100;
    clipped.Glyphs[0].ClipBottom = 64;
    std::vector<int> cut = RenderCoverage(clipped, 12, 8, 0, 0, 0);
    EXPECT_EQ(At(cut, 12, 2, 2), 0);
    EXPECT_GT(At(cut, 12, 2, 3), 0);
}

TEST(Coverage, ArcKeepsOnlyItsQuarters) {
    Lettering ring;
    Glyph glyph;
    glyph.HalfWidth = kSub;
    glyph.Arcs.push_back({10 * kSub, 10 * kSub, 6 * kSub, 6 * kSub, kLowerLeft});
    ring.Glyphs.push_back(glyph);
    std::vector<int> coverage = RenderCoverage(ring, 20, 20, 0, 0, 0);
    EXPECT_EQ(At(coverage, 20, 4, 12), kFullCoverage);  // left side, below the centre
    EXPECT_EQ(At(coverage, 20, 4, 7), 0);               // left side, above it
    EXPECT_EQ(At(coverage, 20, 15, 12), 0);             // right side
    EXPECT_EQ(At(coverage, 20, 7, 12), 0);              // the hole
    EXPECT_EQ(At(coverage, 20, 8, 15), kFullCoverage);  // bottom, left of centre
}

TEST(Lettering, WidthsSpacingAndUnknownCharacters) {
    FontMetrics m = {80 * kSub, 50 * kSub, 30 * kSub, 10 * kSub, 4 * kSub, 3 * kSub, true};
    int one = TextWidth(m, "L");
    EXPECT_GT(one, 0);
    EXPECT_EQ(TextWidth(m, ""), 0);
    EXPECT_EQ(TextWidth(m, "LL"), 2 * one + m.Spacing);
    EXPECT_EQ(TextWidth(m, "L?L"), TextWidth(m, "LL"));
    std::vector<Glyph> glyphs;
    int end = LayOutText(m, "U L", 100, &glyphs);
    EXPECT_EQ(end, 100 + TextWidth(m, "U L"));
    ASSERT_EQ(glyphs.size(), 2u);  // the blank draws nothing
    EXPECT_TRUE(glyphs[0].Clipped);
    EXPECT_EQ(glyphs[0].ClipLeft, 100);
    EXPECT_EQ(glyphs[0].ClipBottom, 80 * kSub);
    EXPECT_EQ(glyphs[0].ClipTop, 30 * kSub);
}

}  // namespace
