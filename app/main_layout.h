// Window-free parts of the main window: its title and button positions.
#pragma once
#include <string>

std::string MainWindowTitle(const std::string& logPath);

// x positions of the four buttons in dialog units: 110 × scale rounded, then
// each next one the previous + 52 × scale, rounded again.
struct ButtonRow {
    int X[4];
};
ButtonRow MainButtonPositions(float scale);
