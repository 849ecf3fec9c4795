#include "ui/scale.h"

#include <cmath>

float ScaleFactor = 1.0f;

float ComputeScaleFactor(int screenHeight) { return static_cast<float>(screenHeight) / 480.0f; }

int Scaled(int designValue, float scale) {
    // nearbyint rounds exact halves to the even neighbour in the default mode.
    float product = static_cast<float>(designValue) * scale;
    return static_cast<int>(std::nearbyint(product));
}

int Scaled(int designValue) { return Scaled(designValue, ScaleFactor); }
