#include "ui/column_rules.h"

int RuleX(int fixedX, int separatorColumn, int cellWidth) {
    if (cellWidth == 8 || cellWidth <= 0) return fixedX;
    return separatorColumn * cellWidth + cellWidth / 2;
}

void RulePositions(const int* fixedX, const int* separatorColumn, int count, int cellWidth, int* x) {
    for (int i = 0; i < count; ++i) x[i] = RuleX(fixedX[i], separatorColumn[i], cellWidth);
}
