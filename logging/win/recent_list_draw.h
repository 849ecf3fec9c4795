// Owner drawing of one row of the logging window's list of recent reports.
#pragma once
#include <windows.h>

// Black on white, white on navy when selected, no focus rectangle, a grey rule
// under the row and four vertical rules between the columns; `cellWidth` is
// the width of a character cell of the list's font.
void DrawRecentRow(const DRAWITEMSTRUCT& item, int cellWidth);
