#include "resources/art/icon_art.h"

namespace {

constexpr uint8_t kClear = 0xFF;  // drawing value for pixels the icon leaves out

// The cabinet: black rim with its corner pixels left out, teal inside and a
// light edge along the top and the left.
void DrawCabinet(IndexedImage* image, int x0, int y0, int x1, int y1) {
    FillRect(image, x0, y0, x1, y1, kTeal);
    FrameRect(image, x0, y0, x1, y1, kBlack);
    DrawLine(image, x0 + 1, y0 + 1, x1 - 1, y0 + 1, kAqua);
    DrawLine(image, x0 + 1, y0 + 1, x0 + 1, y1 - 1, kAqua);
    SetPixel(image, x0, y0, kClear);
    SetPixel(image, x1, y0, kClear);
    SetPixel(image, x0, y1, kClear);
    SetPixel(image, x1, y1, kClear);
}

// Green grille with dark slots on every other row.
void DrawGrille(IndexedImage* image, int x0, int y0, int x1, int y1) {
    FillRect(image, x0, y0, x1, y1, kLime);
    for (int y = y0 + 1; y < y1; y += 2) DrawLine(image, x0 + 1, y, x1 - 1, y, kGreen);
}

// A tuning knob: silver disc with a black rim around the pixel (cx, cy),
// `radius` pixels and a half, with a white gleam at its upper left.
void DrawKnob(IndexedImage* image, int cx, int cy, int radius) {
    FillDisc(image, 2 * cx + 1, 2 * cy + 1, 2 * radius + 1, kBlack);
    FillDisc(image, 2 * cx + 1, 2 * cy + 1, 2 * radius - 1, kSilver);
    SetPixel(image, cx - radius / 2, cy - radius / 2, kWhite);
}

IndexedImage Blank(int size) { return MakeIndexedImage(size, size, StandardPalette(), kClear); }

IndexedImage DrawLarge() {
    IndexedImage image = Blank(32);
    DrawLine(&image, 20, 9, 27, 2, kGrey);
    DrawLine(&image, 21, 9, 28, 2, kBlack);
    FillRect(&image, 27, 0, 29, 2, kRed);
    DrawCabinet(&image, 1, 10, 30, 29);
    FillRect(&image, 4, 13, 27, 19, kYellow);
    FrameRect(&image, 4, 13, 27, 19, kBlack);
    for (int x = 7; x <= 25; x += 3) DrawLine(&image, x, 14, x, x % 2 ? 15 : 16, kBlack);
    DrawLine(&image, 17, 14, 17, 18, kRed);
    DrawGrille(&image, 4, 21, 15, 27);
    FrameRect(&image, 4, 21, 15, 27, kBlack);
    DrawKnob(&image, 22, 24, 3);
    DrawLine(&image, 22, 24, 24, 22, kBlack);
    FillRect(&image, 27, 22, 28, 23, kRed);
    return image;
}

IndexedImage DrawSmall() {
    IndexedImage image = Blank(16);
    DrawLine(&image, 10, 4, 13, 1, kBlack);
    FillRect(&image, 13, 0, 14, 1, kRed);
    DrawCabinet(&image, 0, 5, 15, 15);
    FillRect(&image, 2, 7, 13, 9, kYellow);
    for (int x = 3; x <= 12; x += 3) SetPixel(&image, x, 7, kBlack);
    DrawLine(&image, 9, 7, 9, 9, kRed);
    DrawGrille(&image, 2, 11, 7, 13);
    DrawKnob(&image, 11, 12, 1);
    return image;
}

IconImage Finish(const IndexedImage& drawing) {
    IconImage icon;
    icon.Colours = drawing;
    for (uint8_t& pixel : icon.Colours.Pixels) {
        icon.Opaque.push_back(pixel != kClear);
        if (pixel == kClear) pixel = kBlack;
    }
    return icon;
}

}  // namespace

std::vector<IconImage> DrawIcon() { return {Finish(DrawLarge()), Finish(DrawSmall())}; }
