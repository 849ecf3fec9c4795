// A small round-pen font of the letters the pictures need: the capitals
// U L M A R and the lower-case letters b d e h l o p r s t v y, plus space.
// All measures are in sub-pixel units (see coverage.h).
#pragma once
#include <vector>

#include "resources/art/coverage.h"

struct FontMetrics {
    int Baseline;   // y of the baseline
    int CapHeight;  // capitals and ascenders reach this far above it
    int XHeight;
    int Descender;        // how far p and y reach below the baseline
    int HalfStroke;       // the pen's half width
    int Spacing;          // blank between neighbouring letters
    bool SquareCapitals;  // cut the capitals' free ends flat at their box
};

// Appends the glyphs of `text` from x = `left` on; returns the x just after
// the last letter. Characters the font lacks are skipped.
int LayOutText(const FontMetrics& metrics, const char* text, int left, std::vector<Glyph>* glyphs);
// The width LayOutText would take.
int TextWidth(const FontMetrics& metrics, const char* text);
