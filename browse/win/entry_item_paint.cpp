#include "browse/win/entry_item_paint.h"

#include <algorithm>
#include <string>

#include "browse/entry_line.h"
#include "ui/list_box.h"

namespace {

constexpr COLORREF kLineBack = RGB(255, 255, 255);
constexpr COLORREF kLineText = RGB(0, 0, 0);
constexpr COLORREF kBandBack = RGB(0, 0, 128);
constexpr COLORREF kBandText = RGB(255, 255, 255);
// DT_NOPREFIX: an "&" in a station or remark is shown as typed, not as a
// mnemonic underline that would also shift the later columns.
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

void DrawLine(HDC dc, const RECT& row, const std::string& line, bool selected) {
    RECT r = row;
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &r, kLineFormat);
    if (!selected) return;
    SetBkColor(dc, kBandBack);
    SetTextColor(dc, kBandText);
    r = row;
    DrawTextA(dc, line.c_str(), std::min(static_cast<int>(line.size()), kDateBandLength), &r, kLineFormat);
}

}  // namespace

void PaintEntryItem(const DRAWITEMSTRUCT& item, int cellWidth) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;  // never a focus rectangle
    HDC dc = item.hDC;
    SetBkColor(dc, kLineBack);
    SetTextColor(dc, kLineText);
    std::string text = ListRowText(item.hwndItem, item.itemID);
    // The marker byte is never painted.
    if (!text.empty()) DrawLine(dc, item.rcItem, text.substr(1), (item.itemState & ODS_SELECTED) != 0);
    int x[kLineRuleCount];
    LineRulePositions(cellWidth, x);
    DrawRowRules(dc, item.rcItem, x, kLineRuleCount);
}
