// Painting one owner-drawn line of the browse list.
#pragma once
#include <windows.h>

// The width of a character cell of the list's font, in pixels.
int ListCellWidth(HWND list);
// Paints the item described by `item`: the line black on white, the date white
// on navy when selected, a grey bottom rule and the five column rules.
void PaintEntryItem(const DRAWITEMSTRUCT& item, int cellWidth);
