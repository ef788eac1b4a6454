#include "platform/listview/ListView.h"

#include <algorithm>

namespace listview {

namespace {

// Check box cells of column 0: "[ ]" or "[x]".
constexpr int kCheckBoxCells = 3;

}  // namespace

int ListView::CountPerPage() const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    // The header takes the first line.
    return std::max<int>(client.bottom - client.top - 1, 0);
}

int ListView::ClientWidth() const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    return client.right - client.left;
}

void ListView::ClampTop() {
    const int last = std::max(Count() - std::max(CountPerPage(), 1), 0);
    m_top = std::clamp(m_top, 0, last);
}

void ListView::ClampScroll() {
    ClampTop();
    SetLeft(m_left);
}

void ListView::SetLeft(int left) {
    left = std::clamp(left, 0, std::max(0, TotalWidth() - ClientWidth()));
    if (left != m_left)
        Redraw();
    m_left = left;
    SetScrollPos(m_hWnd, SB_HORZ, left, FALSE);
}

bool ListView::EnsureVisible(int row) {
    if (row < 0 || row >= Count())
        return false;
    const int page = std::max(CountPerPage(), 1);
    const int top = m_top;
    if (row < m_top)
        m_top = row;
    else if (row >= m_top + page)
        m_top = row - page + 1;
    if (m_top != top)
        Redraw();
    return true;
}

bool ListView::Scroll(int cells, int rows) {
    const int top = m_top;
    m_top += rows;
    ClampTop();
    if (m_top != top)
        Redraw();
    SetLeft(m_left + cells);
    return true;
}

void ListView::ScrollToColumn(bool back) {
    int target = back ? 0 : m_left;
    int edge = 0;
    for (const Column& column : m_columns) {
        if (back && edge < m_left)
            target = edge;
        else if (!back && edge > m_left) {
            target = edge;
            break;
        }
        edge += column.width;
    }
    SetLeft(target);
}

int ListView::ColumnAt(int x) const {
    x += m_left;
    int left = 0;
    for (int index = 0; index < ColumnCount(); ++index) {
        const int right = left + m_columns[static_cast<std::size_t>(index)].width;
        if (x >= left && x < right)
            return index;
        left = right;
    }
    return -1;
}

int ListView::TotalWidth() const {
    int width = 0;
    for (const Column& column : m_columns)
        width += column.width;
    return width;
}

int ListView::HitTest(LVHITTESTINFO& info) const {
    info.iItem = -1;
    info.iSubItem = 0;
    info.flags = LVHT_NOWHERE;
    const int x = info.pt.x;
    const int y = info.pt.y;
    const int column = ColumnAt(x);
    if (y < 1 || y > CountPerPage() || column < 0)
        return -1;
    const int row = m_top + y - 1;
    if (row >= Count())
        return -1;
    // Without full-row selection only the main item's column is the row; the sub-items are not.
    if (column > 0 && !(m_exStyle & LVS_EX_FULLROWSELECT))
        return -1;
    info.iItem = row;
    info.iSubItem = column;
    info.flags = column == 0 && CheckBoxes() && x + m_left < kCheckBoxCells ? LVHT_ONITEMSTATEICON : LVHT_ONITEMLABEL;
    return row;
}

bool ListView::GetItemRect(int row, RECT& rect) const {
    if (row < 0 || row >= Count())
        return false;
    const LONG line = 1 + row - m_top;
    rect = RECT{-m_left, line, TotalWidth() - m_left, line + 1};
    return true;
}

}  // namespace listview
