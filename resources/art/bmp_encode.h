// File bytes of Windows bitmaps (BITMAPINFOHEADER, uncompressed, bottom-up
// rows padded to 4 bytes) and of icon files.
#pragma once
#include <string>
#include <vector>

#include "resources/art/raster.h"

// 24 bits a pixel.
std::string EncodeBmp24(const RgbImage& image);
// 4 bits a pixel with a 16-entry palette (missing entries are written black).
std::string EncodeBmp4(const IndexedImage& image);

// One picture of an icon: its colours and which pixels are opaque.
struct IconImage {
    IndexedImage Colours;      // 4-bit palette image
    std::vector<bool> Opaque;  // width × height, top row first
};
// An .ico file holding the pictures in the given order; transparent pixels
// have their mask bit set and colour index 0.
std::string EncodeIcon(const std::vector<IconImage>& images);
