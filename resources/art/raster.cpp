#include "resources/art/raster.h"

#include <cstdlib>

RgbImage MakeRgbImage(int width, int height, Rgb fill) {
    RgbImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width) * height, fill);
    return image;
}

IndexedImage MakeIndexedImage(int width, int height, const std::vector<Rgb>& palette, uint8_t fill) {
    IndexedImage image;
    image.Width = width;
    image.Height = height;
    image.Palette = palette;
    image.Pixels.assign(static_cast<size_t>(width) * height, fill);
    return image;
}

const std::vector<Rgb>& StandardPalette() {
    static const std::vector<Rgb> palette = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    return palette;
}

void SetPixel(IndexedImage* image, int x, int y, uint8_t index) {
    if (x < 0 || y < 0 || x >= image->Width || y >= image->Height) return;
    image->Pixels[static_cast<size_t>(y) * image->Width + x] = index;
}

uint8_t PixelAt(const IndexedImage& image, int x, int y) {
    return image.Pixels[static_cast<size_t>(y) * image.Width + x];
}

void FillRect(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) SetPixel(image, x, y, index);
}

void FrameRect(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index) {
    for (int x = x0; x <= x1; ++x) {
        SetPixel(image, x, y0, index);
        SetPixel(image, x, y1, index);
    }
    for (int y = y0; y <= y1; ++y) {
        SetPixel(image, x0, y, index);
        SetPixel(image, x1, y, index);
    }
}

void DrawLine(IndexedImage* image, int x0, int y0, int x1, int y1, uint8_t index) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        SetPixel(image, x0, y0, index);
        if (x0 == x1 && y0 == y1) break;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void FillDisc(IndexedImage* image, int cx2, int cy2, int radius2, uint8_t index) {
    for (int y = 0; y < image->Height; ++y) {
        for (int x = 0; x < image->Width; ++x) {
            int dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
            if (dx * dx + dy * dy <= radius2 * radius2) SetPixel(image, x, y, index);
        }
    }
}

Rgb Mix(Rgb from, Rgb to, int amount, int scale) {
    auto channel = [&](int a, int b) {
        return static_cast<uint8_t>((a * (scale - amount) + b * amount + scale / 2) / scale);
    };
    return {channel(from.R, to.R), channel(from.G, to.G), channel(from.B, to.B)};
}
