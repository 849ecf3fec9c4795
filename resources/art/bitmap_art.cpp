#include "resources/art/bitmap_art.h"

#include "resources/art/digit_art.h"
#include "resources/art/icon_art.h"
#include "resources/art/lettering.h"

namespace {

// Banner colours: light-green letters with a darker rim and a soft shadow.
constexpr Rgb kLetterTop = {200, 255, 190};
constexpr Rgb kLetterBottom = {110, 240, 100};
constexpr Rgb kLetterRim = {0, 110, 50};
constexpr Rgb kBannerShadow = {0, 150, 170};

// Banner lettering in pixels.
constexpr int kBannerBaseline = 66;
constexpr int kBannerCapHeight = 52;
constexpr int kBannerHalfStroke = 6;
constexpr int kBannerSpacing = 7;
constexpr int kBannerRim = 2;
constexpr int kBannerShadowOffset = 3;

const char* const kBannerText = "ULMAR";
const char* const kCreditLine = "by the ULMAR developers";

// Credit line lettering in sub-pixel units.
constexpr int kCrestBaseline = 26 * kSub;
constexpr int kCrestCapHeight = 11 * kSub;
constexpr int kCrestXHeight = 7 * kSub;
constexpr int kCrestDescender = 3 * kSub;
constexpr int kCrestHalfStroke = kSub * 3 / 4;
constexpr int kCrestSpacing = kSub * 5 / 4;
constexpr int kCrestSlantNumerator = 1;  // a fifth of a pixel to the right per pixel up
constexpr int kCrestSlantDenominator = 5;

constexpr Rgb kCrestBlue = {0, 0, 255};
constexpr int kCrestShades = 16;  // cyan, 14 blends, blue

// The lettering centred across `pictureWidth` (pixels).
Lettering CentredText(const FontMetrics& metrics, const char* text, int pictureWidth) {
    Lettering lettering;
    int left = (pictureWidth * kSub - TextWidth(metrics, text)) / 2;
    LayOutText(metrics, text, left, &lettering.Glyphs);
    lettering.Baseline = metrics.Baseline;
    return lettering;
}

void Paint(RgbImage* image, const std::vector<int>& coverage, Rgb colour) {
    for (size_t i = 0; i < coverage.size(); ++i)
        image->Pixels[i] = Mix(image->Pixels[i], colour, coverage[i], kFullCoverage);
}

void PaintGradient(RgbImage* image, const std::vector<int>& coverage, int top, int bottom) {
    for (int y = 0; y < image->Height; ++y) {
        int along = y < top ? 0 : y > bottom ? bottom - top : y - top;
        Rgb colour = Mix(kLetterTop, kLetterBottom, along, bottom - top);
        for (int x = 0; x < image->Width; ++x) {
            size_t i = static_cast<size_t>(y) * image->Width + x;
            image->Pixels[i] = Mix(image->Pixels[i], colour, coverage[i], kFullCoverage);
        }
    }
}

std::vector<Rgb> CrestPalette() {
    std::vector<Rgb> palette;
    for (int i = 0; i < kCrestShades; ++i) palette.push_back(Mix(kWindowCyan, kCrestBlue, i, kCrestShades - 1));
    return palette;
}

}  // namespace

RgbImage DrawBanner() {
    FontMetrics metrics = {kBannerBaseline * kSub,   kBannerCapHeight * kSub, 0,   0,
                           kBannerHalfStroke * kSub, kBannerSpacing * kSub,   true};
    Lettering lettering = CentredText(metrics, kBannerText, kBannerWidth - kBannerShadowOffset);
    RgbImage image = MakeRgbImage(kBannerWidth, kBannerHeight, kWindowCyan);
    int rim = kBannerRim * kSub, shadow = kBannerShadowOffset * kSub;
    Paint(&image, RenderCoverage(lettering, kBannerWidth, kBannerHeight, rim, shadow, shadow), kBannerShadow);
    Paint(&image, RenderCoverage(lettering, kBannerWidth, kBannerHeight, rim, 0, 0), kLetterRim);
    PaintGradient(&image, RenderCoverage(lettering, kBannerWidth, kBannerHeight, 0, 0, 0),
                  kBannerBaseline - kBannerCapHeight, kBannerBaseline);
    return image;
}

IndexedImage DrawCrest() {
    FontMetrics metrics = {kCrestBaseline,   kCrestCapHeight, kCrestXHeight, kCrestDescender,
                           kCrestHalfStroke, kCrestSpacing,   false};
    // Slanting moves the letters right by about half the x-height on average.
    Lettering lettering = CentredText(metrics, kCreditLine, kCrestWidth - kCrestXHeight / kSub / 2);
    lettering.SlantNumerator = kCrestSlantNumerator;
    lettering.SlantDenominator = kCrestSlantDenominator;
    std::vector<int> coverage = RenderCoverage(lettering, kCrestWidth, kCrestHeight, 0, 0, 0);
    IndexedImage image = MakeIndexedImage(kCrestWidth, kCrestHeight, CrestPalette(), 0);
    for (size_t i = 0; i < coverage.size(); ++i)
        image.Pixels[i] = static_cast<uint8_t>((coverage[i] * (kCrestShades - 1) + kFullCoverage / 2) / kFullCoverage);
    return image;
}

std::vector<ArtFile> AllArtFiles() {
    std::vector<ArtFile> files;
    files.push_back({"ulmar.ico", EncodeIcon(DrawIcon())});
    files.push_back({"ulmar.bmp", EncodeBmp24(DrawBanner())});
    files.push_back({"crest.bmp", EncodeBmp4(DrawCrest())});
    for (int digit = 0; digit <= 9; ++digit)
        files.push_back({"f" + std::to_string(digit) + ".bmp", EncodeBmp4(DrawDigit(digit))});
    files.push_back({"fc.bmp", EncodeBmp4(DrawColon(true))});
    files.push_back({"fb.bmp", EncodeBmp4(DrawColon(false))});
    return files;
}
