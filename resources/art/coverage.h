// Anti-aliased lettering: glyphs made of round-pen strokes and elliptic arcs,
// measured in sub-pixel units and sampled kSub × kSub times in every pixel.
// Only integer arithmetic, so the same input always gives the same pixels.
#pragma once
#include <vector>

constexpr int kSub = 8;                     // samples along each axis of a pixel
constexpr int kFullCoverage = kSub * kSub;  // every sample of a pixel inside

// A straight pen stroke between two centreline points.
struct Stroke {
    int x0, y0, x1, y1;
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
    int cx, cy, rx, ry;
    unsigned quadrants;
};

struct Glyph {
    int halfWidth = 0;  // the pen's half width
    std::vector<Stroke> strokes;
    std::vector<Arc> arcs;
    bool clipped = false;  // kept inside the box below (grown with the pen)
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
};

struct Lettering {
    std::vector<Glyph> glyphs;
    int baseline = 0;  // slanting leans points above it to the right
    int slantNumerator = 0;
    int slantDenominator = 1;
};

// Samples inside the lettering for every pixel of a width × height picture
// (0..kFullCoverage, top row first). The pen is widened by `grow` and the
// whole lettering moved by (dx, dy), all in sub-pixel units.
std::vector<int> RenderCoverage(const Lettering& lettering, int width, int height, int grow, int dx, int dy);
