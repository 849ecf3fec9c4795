// Window sizes follow the screen: design values are multiplied by the scale.
#pragma once

// Screen height ÷ 480, single precision, computed once at start-up.
extern float ScaleFactor;
float ComputeScaleFactor(int screenHeight);
// A design value × ScaleFactor, rounded to the nearest integer, halves to even.
int Scaled(int designValue, float scale);
int Scaled(int designValue);
