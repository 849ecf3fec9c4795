// Every picture of the program, and the files the resource script names.
#pragma once
#include <string>
#include <vector>

#include "resources/art/bmp_encode.h"
#include "resources/art/raster.h"

constexpr Rgb kWindowCyan = {0, 255, 255};  // the main window's background

constexpr int kBannerWidth = 256;
constexpr int kBannerHeight = 80;
constexpr int kCrestWidth = 180;
constexpr int kCrestHeight = 40;

// "ULMAR" in large light-green letters on cyan, true colour.
RgbImage DrawBanner();
// The credit line in blue italics on cyan, 16 colours.
IndexedImage DrawCrest();
struct ArtFile {
    std::string Name;  // file name in resources/
    std::string Bytes;
};
// ulmar.ico, ulmar.bmp, crest.bmp, f0.bmp … f9.bmp, fc.bmp, fb.bmp.
std::vector<ArtFile> AllArtFiles();
