#include "ui/column_rules.h"

int RuleX(int fixedX, int separatorColumn, int cellWidth) {
    if (cellWidth == 8 || cellWidth <= 0) return fixedX;
    return separatorColumn * cellWidth + cellWidth / 2;
}
