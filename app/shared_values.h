// Values every window shares, set once at start-up.
#pragma once
#include <string>

constexpr const char* ProgramTitle = "ULMAR v1.01";

enum MonthKind { kMonthShort = 0, kMonthFull = 1 };
// Month names by kind and month 1..12; any other month gives "".
const char* MonthName(int kind, int month);

// Screen height ÷ 480, single precision, computed once at start-up.
extern float ScaleFactor;
float ComputeScaleFactor(int screenHeight);
// A design value × ScaleFactor, rounded to the nearest integer, halves to even.
int Scaled(int designValue, float scale);
int Scaled(int designValue);
