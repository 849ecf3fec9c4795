// Anti-aliased lettering: glyphs made of round-pen strokes and elliptic arcs,
// measured in sub-pixel units and sampled kSub × kSub times in every pixel.
// Only integer arithmetic, so the same input always gives the same pixels.
#pragma once
#include <vector>

constexpr int kSub = 8;                     // samples along each axis of a pixel
constexpr int kFullCoverage = kSub * kSub;  // every sample of a pixel inside

// A straight pen stroke between two centreline points.
struct Stroke {
    int FromX, FromY, ToX, ToY;
};

// Quarters of an arc, on a screen whose y grows downwards.
enum Quadrant : unsigned {
    kUpperRight = 1,
    kUpperLeft = 2,
    kLowerLeft = 4,
    kLowerRight = 8,
    kWholeRing = 15,
};

// The pen drawn along an ellipse with centreline semi-axes rx, ry, in the
// chosen quarters only (each cut off square at the axes).
struct Arc {
    int CenterX, CenterY, RadiusX, RadiusY;
    unsigned Quadrants;
};

struct Glyph {
    int HalfWidth = 0;  // the pen's half width
    std::vector<Stroke> Strokes;
    std::vector<Arc> Arcs;
    bool Clipped = false;  // kept inside the box below (grown with the pen)
    int ClipLeft = 0, ClipTop = 0, ClipRight = 0, ClipBottom = 0;
};

struct Lettering {
    std::vector<Glyph> Glyphs;
    int Baseline = 0;  // slanting leans points above it to the right
    int SlantNumerator = 0;
    int SlantDenominator = 1;
};

// Samples inside the lettering for every pixel of a width × height picture
// (0..kFullCoverage, top row first). The pen is widened by `grow` and the
// whole lettering moved by (dx, dy), all in sub-pixel units.
std::vector<int> RenderCoverage(const Lettering& lettering, int width, int height, int grow, int dx, int dy);
