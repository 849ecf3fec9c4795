#include "resources/art/bmp_encode.h"

#include <cstdint>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPaletteEntries = 16;
constexpr int kPixelsPerMetre = 2835;  // 72 dots an inch

void PutU16(std::string* out, uint32_t value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string* out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

int RowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void PutFileHeader(std::string* out, uint32_t fileSize, uint32_t pixelOffset) {
    out->append("BM");
    PutU32(out, fileSize);
    PutU32(out, 0);  // two reserved words
    PutU32(out, pixelOffset);
}

// `storedHeight` is doubled for icon pictures (colours and mask).
void PutInfoHeader(std::string* out, int width, int storedHeight, int bits, uint32_t imageSize, int colours) {
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(storedHeight));
    PutU16(out, 1);  // planes
    PutU16(out, static_cast<uint32_t>(bits));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, imageSize);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, static_cast<uint32_t>(colours));
    PutU32(out, 0);  // all colours important
}

void PutPalette(std::string* out, const std::vector<Rgb>& palette) {
    for (int i = 0; i < kPaletteEntries; ++i) {
        Rgb colour = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
        out->push_back(static_cast<char>(colour.B));
        out->push_back(static_cast<char>(colour.G));
        out->push_back(static_cast<char>(colour.R));
        out->push_back(0);
    }
}

void PutNibbleRows(std::string* out, const IndexedImage& image) {
    int rowBytes = RowBytes(image.Width, 4);
    for (int y = image.Height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < image.Width; ++x) {
            uint8_t index = PixelAt(image, x, y) & 0x0F;
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out->append(row);
    }
}

void PutMaskRows(std::string* out, const IconImage& icon) {
    int width = icon.Colours.Width;
    int rowBytes = RowBytes(width, 1);
    for (int y = icon.Colours.Height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            if (!icon.Opaque[static_cast<size_t>(y) * width + x])
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out->append(row);
    }
}

// Colour index 0 where the mask lets the screen through.
IndexedImage ClearedTransparent(const IconImage& icon) {
    IndexedImage colours = icon.Colours;
    for (size_t i = 0; i < colours.Pixels.size(); ++i)
        if (!icon.Opaque[i]) colours.Pixels[i] = 0;
    return colours;
}

uint32_t IconPictureSize(const IndexedImage& image) {
    return kInfoHeaderSize + kPaletteEntries * 4 + (RowBytes(image.Width, 4) + RowBytes(image.Width, 1)) * image.Height;
}

}  // namespace

std::string EncodeBmp24(const RgbImage& image) {
    int rowBytes = RowBytes(image.Width, 24);
    uint32_t imageSize = static_cast<uint32_t>(rowBytes * image.Height);
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::string out;
    PutFileHeader(&out, offset + imageSize, offset);
    PutInfoHeader(&out, image.Width, image.Height, 24, imageSize, 0);
    for (int y = image.Height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < image.Width; ++x) {
            Rgb pixel = image.Pixels[static_cast<size_t>(y) * image.Width + x];
            row[3 * x] = static_cast<char>(pixel.B);
            row[3 * x + 1] = static_cast<char>(pixel.G);
            row[3 * x + 2] = static_cast<char>(pixel.R);
        }
        out.append(row);
    }
    return out;
}

std::string EncodeBmp4(const IndexedImage& image) {
    uint32_t imageSize = static_cast<uint32_t>(RowBytes(image.Width, 4) * image.Height);
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;
    std::string out;
    PutFileHeader(&out, offset + imageSize, offset);
    PutInfoHeader(&out, image.Width, image.Height, 4, imageSize, kPaletteEntries);
    PutPalette(&out, image.Palette);
    PutNibbleRows(&out, image);
    return out;
}

std::string EncodeIcon(const std::vector<IconImage>& images) {
    constexpr uint32_t kDirectorySize = 6, kEntrySize = 16;
    std::string out;
    PutU16(&out, 0);  // reserved
    PutU16(&out, 1);  // icon
    PutU16(&out, static_cast<uint32_t>(images.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(images.size());
    for (const IconImage& icon : images) {
        uint32_t size = IconPictureSize(icon.Colours);
        out.push_back(static_cast<char>(icon.Colours.Width));
        out.push_back(static_cast<char>(icon.Colours.Height));
        out.push_back(static_cast<char>(kPaletteEntries));
        out.push_back(0);
        PutU16(&out, 1);  // planes
        PutU16(&out, 4);  // bits a pixel
        PutU32(&out, size);
        PutU32(&out, offset);
        offset += size;
    }
    for (const IconImage& icon : images) {
        const IndexedImage& image = icon.Colours;
        uint32_t pixelBytes = IconPictureSize(image) - kInfoHeaderSize - kPaletteEntries * 4;
        PutInfoHeader(&out, image.Width, 2 * image.Height, 4, pixelBytes, 0);
        PutPalette(&out, image.Palette);
        PutNibbleRows(&out, ClearedTransparent(icon));
        PutMaskRows(&out, icon);
    }
    return out;
}
