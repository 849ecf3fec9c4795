// In-memory pictures for the generator: true-colour and palette images, rows
// stored top-down, and a few pixel-exact drawing helpers for palette images.
#pragma once
#include <cstdint>
#include <vector>

struct Rgb {
    uint8_t R, G, B;
};

inline bool operator==(Rgb a, Rgb b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;  // width × height, top row first
};

struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Palette;     // at most 16 entries for 4-bit files
    std::vector<uint8_t> Pixels;  // palette indices, top row first
};

RgbImage MakeRgbImage(int width, int height, Rgb fill);
IndexedImage MakeIndexedImage(int width, int height, const std::vector<Rgb>& palette, uint8_t fill);

// The 16 colours of the classic VGA palette, black first and white last.
const std::vector<Rgb>& StandardPalette();
// Indices into StandardPalette().
enum StandardColour : uint8_t {
    kBlack = 0,
    kMaroon,
    kGreen,
    kOlive,
    kNavy,
    kPurple,
    kTeal,
    kSilver,
    kGrey,
    kRed,
    kLime,
    kYellow,
    kBlue,
    kFuchsia,
    kAqua,
    kWhite
};

// Drawing on palette images; pixels outside the picture are ignored.
void SetPixel(IndexedImage* image, int x, int y, uint8_t index);
uint8_t PixelAt(const IndexedImage& image, int x, int y);
// Inclusive corners.
void FillRect(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index);
void FrameRect(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index);
// Bresenham line, both ends drawn.
void DrawLine(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index);
// Every pixel whose centre lies within `radius` (given in half pixels) of
// the centre (cx2, cy2), also in half pixels, so discs can sit between pixels.
void FillDisc(IndexedImage* image, int cx2, int cy2, int radius2, uint8_t index);

// Blends `to` over `from`; amount runs 0..scale.
Rgb Mix(Rgb from, Rgb to, int amount, int scale);
