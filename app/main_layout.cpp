#include "app/main_layout.h"

#include <cmath>

#include "records/record_texts.h"
#include "ui/scale.h"

std::string MainWindowTitle(const std::string& logPath) {
    return std::string(ProgramTitle) + std::string(60, ' ') + logPath;
}

ButtonRow MainButtonPositions(float scale) {
    ButtonRow row;
    row.X[0] = Scaled(110, scale);
    for (int k = 1; k < 4; ++k) {
        float next = static_cast<float>(row.X[k - 1]) + 52.0f * scale;
        row.X[k] = static_cast<int>(std::nearbyint(next));
    }
    return row;
}
