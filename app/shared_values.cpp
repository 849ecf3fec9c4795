#include "app/shared_values.h"

#include <cmath>

float ScaleFactor = 1.0f;

namespace {
const char* const MonthNames[2][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "Febuary", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
};
}  // namespace

const char* MonthName(int kind, int month) {
    if (kind < 0 || kind > 1 || month < 1 || month > 12) return "";
    return MonthNames[kind][month - 1];
}

float ComputeScaleFactor(int screenHeight) { return static_cast<float>(screenHeight) / 480.0f; }

int Scaled(int designValue, float scale) {
    // nearbyint rounds exact halves to the even neighbour in the default mode.
    float product = static_cast<float>(designValue) * scale;
    return static_cast<int>(std::nearbyint(product));
}

int Scaled(int designValue) { return Scaled(designValue, ScaleFactor); }
