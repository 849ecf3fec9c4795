#include "ui/list_box.h"

#include <vector>

namespace {

constexpr int kDesignCellWidth = 8;
constexpr int kItemHeightTrim = 2;

}  // namespace

int ListCellWidth(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    bool measured = GetTextMetricsA(dc, &metrics) != 0;
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return measured && metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : kDesignCellWidth;
}

void TrimListItemHeight(HWND list) {
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (height != LB_ERR && height > kItemHeightTrim) SendMessageA(list, LB_SETITEMHEIGHT, 0, height - kItemHeightTrim);
}

void DrawRowRules(HDC dc, const RECT& row, const int* x, int count) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, 0, row.bottom - 1, nullptr);
    LineTo(dc, row.right, row.bottom - 1);
    for (int i = 0; i < count; ++i) {
        MoveToEx(dc, x[i], row.top, nullptr);
        LineTo(dc, x[i], row.bottom - 1);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

std::string ListRowText(HWND list, UINT row) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, row, 0);
    if (length == LB_ERR || length <= 0) return "";
    std::vector<char> text(static_cast<size_t>(length) + 1, 0);
    LRESULT got = SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    return got > 0 ? std::string(text.data(), static_cast<size_t>(got)) : "";
}
