// Owner-drawn list boxes of fixed-pitch rows: cell width, row height, rules.
#pragma once
#include <windows.h>

#include <string>

// Width of a character cell of the list's font in pixels; 8, the design cell,
// when the font cannot be measured.
int ListCellWidth(HWND list);
// The text of row `row`; "" when there is none.
std::string ListRowText(HWND list, UINT row);
// Rows two pixels lower than the font asks, so more rows fit as designed.
void TrimListItemHeight(HWND list);
// A grey rule under the row and a vertical rule at each of `x[0..count)`.
void DrawRowRules(HDC dc, const RECT& row, const int* x, int count);
