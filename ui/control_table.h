// A window's controls as one table, one row per control, created by one loop.
#pragma once
#include <windows.h>

#include <cstddef>

// One position or size in dialog units: `scaled` × ScaleFactor (rounded,
// halves to even) plus `unscaled`. S(120) + U(46) is scaled 120 plus 46. A
// value the layout accumulates is computed beforehand and given as U(value).
struct Span {
    int Scaled;
    int Unscaled;
};
constexpr Span S(int value) { return {value, 0}; }
constexpr Span U(int value) { return {0, value}; }
constexpr Span operator+(Span a, Span b) { return {a.Scaled + b.Scaled, a.Unscaled + b.Unscaled}; }

struct ControlRow {
    int Id;
    const char* ClassName;  // "BUTTON", "EDIT", "STATIC", "LISTBOX"
    const char* Text;
    DWORD Style;  // WS_CHILD | WS_VISIBLE are added
    DWORD ExStyle;
    Span X, Y, Width, Height;
};

// Creates the controls in table order, which is also their tab order.
void AddControlTable(HWND dialog, const ControlRow* rows, size_t count);
template <size_t N>
void AddControlTable(HWND dialog, const ControlRow (&rows)[N]) {
    AddControlTable(dialog, rows, N);
}
