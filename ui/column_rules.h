// Where the vertical rules of a fixed-pitch list row go. With 8-pixel character
// cells they stand at the fixed pixel positions the rows were designed for; with
// any other cell width they move into the middle of the blank separator column.
#pragma once

int RuleX(int fixedX, int separatorColumn, int cellWidth);
// RuleX for `count` rules at once: `x[i]` from `fixedX[i]` and `separatorColumn[i]`.
void RulePositions(const int* fixedX, const int* separatorColumn, int count, int cellWidth, int* x);
