// Painting one owner-drawn line of the browse list.
#pragma once
#include <windows.h>

// Paints the item described by `item`: the line black on white, the date white
// on navy when selected, a grey bottom rule and the five column rules for
// character cells `cellWidth` pixels wide.
void PaintEntryItem(const DRAWITEMSTRUCT& item, int cellWidth);
