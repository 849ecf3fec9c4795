#include "browse/entry_item_paint.h"

#include <algorithm>

#include "browse/entry_line.h"

namespace {

constexpr COLORREF kLineBack = RGB(255, 255, 255);
constexpr COLORREF kLineText = RGB(0, 0, 0);
constexpr COLORREF kBandBack = RGB(0, 0, 128);
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr int kItemTextCapacity = 300;
// DT_NOPREFIX: an "&" in a station or remark is shown as typed, not as a
// mnemonic underline that would also shift the later columns.
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// The item's text without its marker byte; false when it cannot be fetched.
bool ItemLine(const DRAWITEMSTRUCT& item, char (&buffer)[kItemTextCapacity], int* length) {
    LRESULT size = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (size < 1 || size >= kItemTextCapacity) return false;
    LRESULT got = SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(buffer));
    if (got < 1) return false;
    *length = static_cast<int>(got) - 1;
    return true;
}

void DrawRules(HDC dc, const RECT& r, int cellWidth) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, 0, r.bottom - 1, nullptr);
    LineTo(dc, r.right, r.bottom - 1);
    int x[kLineRuleCount];
    LineRulePositions(cellWidth, x);
    for (int rule : x) {
        MoveToEx(dc, rule, r.top, nullptr);
        LineTo(dc, rule, r.bottom - 1);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

int ListCellWidth(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return metrics.tmAveCharWidth;
}

void PaintEntryItem(const DRAWITEMSTRUCT& item, int cellWidth) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;  // never a focus rectangle
    HDC dc = item.hDC;
    SetBkColor(dc, kLineBack);
    SetTextColor(dc, kLineText);
    char buffer[kItemTextCapacity] = {};
    int length = 0;
    if (ItemLine(item, buffer, &length)) {
        const char* line = buffer + 1;  // the marker byte is never painted
        RECT r = item.rcItem;
        DrawTextA(dc, line, length, &r, kLineFormat);
        if (item.itemState & ODS_SELECTED) {
            SetBkColor(dc, kBandBack);
            SetTextColor(dc, kBandText);
            r = item.rcItem;
            DrawTextA(dc, line, std::min(length, kDateBandLength), &r, kLineFormat);
        }
    }
    DrawRules(dc, item.rcItem, cellWidth);
}
