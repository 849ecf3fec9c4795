// Owner drawing of the recent list: black on white, white on navy when
// selected, no focus rectangle, a grey rule under each row and four vertical
// rules in the blank columns between station, time, frequency, location and
// remarks. Each column is drawn into its own character cells, clipped there:
// with a true fixed-pitch font this looks exactly like drawing the whole row at
// once, and with any other font the columns still stay between their rules.
#include <string>
#include <vector>

#include "logging/logging_window_state.h"
#include "logging/recent_rows.h"
#include "ui/column_rules.h"

namespace {

constexpr COLORREF kRowBack = RGB(255, 255, 255);
constexpr COLORREF kRowText = RGB(0, 0, 0);
constexpr COLORREF kSelectedBack = RGB(0, 0, 128);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);

std::string RowText(HWND list, UINT row) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, row, 0);
    if (length == LB_ERR || length <= 0) return "";
    std::vector<char> text(static_cast<size_t>(length) + 1, 0);
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

void PaintBackground(HDC dc, const RECT& row) {
    ExtTextOutA(dc, row.left, row.top, ETO_OPAQUE, &row, "", 0, nullptr);
}

void DrawColumn(HDC dc, const RECT& row, const std::string& shown, int column) {
    std::string cells = RowColumnText(shown, column);
    if (cells.empty()) return;
    const RowColumn& layout = kRecentColumns[column];
    RECT box = row;
    box.left = row.left + layout.first * Logging.CellWidth;
    box.right = column == kRowColumns - 1 ? row.right : box.left + layout.width * Logging.CellWidth;
    // No prefix processing: an "&" is shown as typed.
    DrawTextA(dc, cells.c_str(), static_cast<int>(cells.size()), &box,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void DrawRules(HDC dc, const RECT& row) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, 0, row.bottom - 1, nullptr);
    LineTo(dc, row.right, row.bottom - 1);
    for (int i = 0; i < kRuleColumns; ++i) {
        int x = RuleX(kRuleFixedX[i], kRuleSeparatorColumn[i], Logging.CellWidth);
        MoveToEx(dc, x, row.top, nullptr);
        LineTo(dc, x, row.bottom - 1);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

void DrawRecentRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;  // never a focus rectangle
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetBkColor(item.hDC, selected ? kSelectedBack : kRowBack);
    SetTextColor(item.hDC, selected ? kSelectedText : kRowText);

    std::string text = RowText(item.hwndItem, item.itemID);
    std::string shown = text.empty() ? text : text.substr(1);  // the marker is never drawn
    PaintBackground(item.hDC, item.rcItem);
    for (int column = 0; column < kRowColumns; ++column) DrawColumn(item.hDC, item.rcItem, shown, column);
    DrawRules(item.hDC, item.rcItem);
}
