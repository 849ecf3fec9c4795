#include "ui/control_table.h"

#include "ui/scale.h"

namespace {

int Resolve(Span span) { return Scaled(span.Scaled) + span.Unscaled; }

// Creates the control with the dialog's font at its place in pixels.
void AddControl(HWND dialog, const ControlRow& row) {
    int x = Resolve(row.X), y = Resolve(row.Y);
    RECT r = {x, y, x + Resolve(row.Width), y + Resolve(row.Height)};
    MapDialogRect(dialog, &r);
    HWND control =
        CreateWindowExA(row.ExStyle, row.ClassName, row.Text, WS_CHILD | WS_VISIBLE | row.Style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)), GetModuleHandleA(nullptr), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
}

}  // namespace

void AddControlTable(HWND dialog, const ControlRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) AddControl(dialog, rows[i]);
}
