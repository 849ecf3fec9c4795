// The clock's seven-segment digits (15 × 28) and its colon (3 × 28): white
// on black in the standard 16-colour palette.
//
// Horizontal bars (top rows 0–2, middle 12–14, bottom 24–26) are 9, 11 and 9
// pixels wide on their three rows (columns 3–11, 2–12, 3–11). Vertical bars
// are 3 pixels wide (columns 0–2 left, 12–14 right), the upper ones on rows
// 3–11 and the lower ones on rows 15–23. Each vertical bar carries its own
// two one-pixel tips in its middle column (1 or 13), one row beyond each end:
// upper bars on rows 2 and 12, lower bars on rows 14 and 24. So a tip is lit
// exactly when its vertical bar is. Row 27 stays black.
#pragma once
#include "resources/art/raster.h"

constexpr int kDigitWidth = 15;
constexpr int kDigitHeight = 28;
constexpr int kColonWidth = 3;

// Segment letters: a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle.
const char* DigitSegments(int digit);

IndexedImage DrawDigit(int digit);
// The colon with its squares lit (rows 8–10 and 18–20) or all black.
IndexedImage DrawColon(bool lit);
