#include "platform/listview/ListView.h"
#include "platform/win/WindowInput.h"

#include <algorithm>

namespace listview {

void ListView::NotifyActivate(UINT code, int row, int subItem, LPARAM point) {
    NMITEMACTIVATE note{};
    note.iItem = row;
    note.iSubItem = subItem;
    note.ptAction = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    note.lParam = row >= 0 && row < Count() ? m_rows.At(row).data : 0;
    Notify(note.hdr, code);
}

void ListView::UserSelect(int row) {
    const bool single = SingleSelection();
    UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
    const UINT held = TakeFromOthers(row, mask);
    if (held & LVIS_FOCUSED)
        mask &= ~LVIS_FOCUSED;
    if ((held & LVIS_SELECTED) && single)
        mask &= ~LVIS_SELECTED;
    ChangeItem(row, StateChange(LVIS_SELECTED | LVIS_FOCUSED, mask));
}

void ListView::UserClearSelection() {
    for (int row : m_rows.SelectedRows()) {
        if (m_destroyed)
            return;
        ChangeItem(row, StateChange(0, LVIS_SELECTED));
    }
}

bool ListView::ToggleCheck(int row) {
    const UINT image = (m_rows.At(row).state & LVIS_STATEIMAGEMASK) >> 12;
    return ChangeItem(row, StateChange(INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK));
}

void ListView::OnButtonDown(LPARAM point, bool doubleClick) {
    if (!IsWindowEnabled(m_hWnd))
        return;
    if (GetFocus() != m_hWnd)
        SetFocus(m_hWnd);
    if (m_destroyed)
        return;
    const UINT code = doubleClick ? NM_DBLCLK : NM_CLICK;
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (hit.pt.y == 0) {
        // The header answers a click, not the second click of a double click.
        const int column = ColumnAt(hit.pt.x);
        if (!doubleClick && column >= 0 && !(GetWindowLongW(m_hWnd, GWL_STYLE) & LVS_NOSORTHEADER))
            NotifyItem(LVN_COLUMNCLICK, -1, column);
        return;
    }
    const int row = HitTest(hit);
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
        ToggleCheck(row);
    } else if (row >= 0) {
        UserSelect(row);
    } else {
        UserClearSelection();
        hit.iSubItem = std::max(ColumnAt(hit.pt.x), 0);
    }
    if (!m_destroyed)
        NotifyActivate(code, row, hit.iSubItem, point);
}

void ListView::OnKeyDown(WORD key) {
    if (!IsWindowEnabled(m_hWnd))
        return;
    NMLVKEYDOWN note{};
    note.wVKey = key;
    Notify(note.hdr, LVN_KEYDOWN);
    if (m_destroyed || Count() == 0)
        return;
    const int last = Count() - 1;
    const int focused = m_rows.Focused();
    const int page = std::max(CountPerPage(), 1);
    // A page key first goes to the edge of the rows shown, then a page on, keeping one row of the old page.
    const int step = std::max(page - 1, 1);
    const int bottom = std::min(m_top + page - 1, last);
    int target = 0;
    switch (key) {
    case VK_SPACE:
        if (CheckBoxes() && focused >= 0)
            ToggleCheck(focused);
        return;
    case VK_LEFT:
    case VK_RIGHT:
        // Sideways, a column at a time, when the columns are wider than the list.
        ScrollToColumn(key == VK_LEFT);
        return;
    case VK_UP:
        target = focused < 0 ? 0 : std::max(focused - 1, 0);
        break;
    case VK_DOWN:
        target = focused < 0 ? 0 : std::min(focused + 1, last);
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = last;
        break;
    case VK_NEXT:
        target = focused < bottom ? bottom : std::min(focused + step, last);
        break;
    case VK_PRIOR:
        target = focused > m_top ? m_top : std::max(focused - step, 0);
        break;
    default:
        return;
    }
    UserSelect(target);
    if (!m_destroyed)
        EnsureVisible(target);
}

void ListView::OnWheel(int delta) { Scroll(0, -delta * 3 / WHEEL_DELTA); }

}  // namespace listview
