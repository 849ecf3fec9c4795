#include "ui/control_table.h"

#include "ui/scale.h"

namespace {

int Resolve(Span span) { return Scaled(span.scaled) + span.unscaled; }

// Creates the control with the dialog's font at its place in pixels.
void AddControl(HWND dialog, const ControlRow& row) {
    int x = Resolve(row.x), y = Resolve(row.y);
    RECT r = {x, y, x + Resolve(row.width), y + Resolve(row.height)};
    MapDialogRect(dialog, &r);
    HWND control = CreateWindowExA(row.exStyle, row.className, row.text, WS_CHILD | WS_VISIBLE | row.style, r.left,
                                   r.top, r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleA(nullptr),
                                   nullptr);
    if (control) SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
}

}  // namespace

void AddControlTable(HWND dialog, const ControlRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) AddControl(dialog, rows[i]);
}
