// Each column is drawn into its own character cells, clipped there: with a
// true fixed-pitch font this looks exactly like drawing the whole row at once,
// and with any other font the columns still stay between their rules.
#include "logging/win/recent_list_draw.h"

#include <string>

#include "logging/recent_rows.h"
#include "ui/column_rules.h"
#include "ui/list_box.h"

namespace {

constexpr COLORREF kRowBack = RGB(255, 255, 255);
constexpr COLORREF kRowText = RGB(0, 0, 0);
constexpr COLORREF kSelectedBack = RGB(0, 0, 128);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);

void PaintBackground(HDC dc, const RECT& row) { ExtTextOutA(dc, row.left, row.top, ETO_OPAQUE, &row, "", 0, nullptr); }

void DrawColumn(HDC dc, const RECT& row, const std::string& shown, int column, int cellWidth) {
    std::string cells = RowColumnText(shown, column);
    if (cells.empty()) return;
    const RowColumn& layout = kRecentColumns[column];
    RECT box = row;
    box.left = row.left + layout.First * cellWidth;
    box.right = column == kRowColumns - 1 ? row.right : box.left + layout.Width * cellWidth;
    // No prefix processing: an "&" is shown as typed.
    DrawTextA(dc, cells.c_str(), static_cast<int>(cells.size()), &box,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void DrawRules(HDC dc, const RECT& row, int cellWidth) {
    int x[kRuleColumns];
    RulePositions(kRuleFixedX, kRuleSeparatorColumn, kRuleColumns, cellWidth, x);
    DrawRowRules(dc, row, x, kRuleColumns);
}

}  // namespace

void DrawRecentRow(const DRAWITEMSTRUCT& item, int cellWidth) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;  // never a focus rectangle
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetBkColor(item.hDC, selected ? kSelectedBack : kRowBack);
    SetTextColor(item.hDC, selected ? kSelectedText : kRowText);

    std::string text = ListRowText(item.hwndItem, item.itemID);
    std::string shown = text.empty() ? text : text.substr(1);  // the marker is never drawn
    PaintBackground(item.hDC, item.rcItem);
    for (int column = 0; column < kRowColumns; ++column) DrawColumn(item.hDC, item.rcItem, shown, column, cellWidth);
    DrawRules(item.hDC, item.rcItem, cellWidth);
}
