#include "platform/listview/ListView.h"
#include "platform/win/TextCells.h"

#include <algorithm>

namespace listview {

namespace {

// A cell's text starts one cell after its column's left edge and keeps one free cell after it; in column 0
// a check box and a space come first.
constexpr int kTextIndent = 1;
constexpr int kCheckBoxIndent = 4;
constexpr int kTextEnd = 1;

int HeaderWidth(const Column& column) { return kTextIndent + TextCells(column.text) + kTextEnd; }

}  // namespace

int ListView::CellWidth(int row, int column) const {
    const int indent = column == 0 && CheckBoxes() ? kCheckBoxIndent : kTextIndent;
    const int text = row >= 0 ? TextCells(TextView(m_rows.Text(row, column))) : 0;
    return indent + text + kTextEnd;
}

int ListView::InsertColumn(int at, const LVCOLUMNW& column) {
    if (at < 0)
        return -1;
    at = std::min(at, ColumnCount());
    Column added;
    if ((column.mask & LVCF_TEXT) && column.pszText != nullptr)
        added.text = column.pszText;
    if (column.mask & LVCF_FMT)
        added.fmt = column.fmt;
    added.subItem = (column.mask & LVCF_SUBITEM) ? column.iSubItem : at;
    added.width = (column.mask & LVCF_WIDTH) ? std::max(column.cx, 0) : HeaderWidth(added);
    m_columns.insert(m_columns.begin() + at, std::move(added));
    // Column 0 holds the main items' texts whatever is inserted before it; sub-item texts move with theirs.
    if (at > 0)
        m_rows.InsertColumn(at);
    Redraw();
    return at;
}

bool ListView::SetColumn(int index, const LVCOLUMNW& column) {
    if (index < 0 || index >= ColumnCount())
        return false;
    Column& target = m_columns[static_cast<std::size_t>(index)];
    if (column.mask & LVCF_TEXT)
        target.text = column.pszText != nullptr ? std::u16string(column.pszText) : std::u16string();
    if (column.mask & LVCF_FMT)
        target.fmt = column.fmt;
    if (column.mask & LVCF_SUBITEM)
        target.subItem = column.iSubItem;
    if (column.mask & LVCF_WIDTH)
        target.width = std::max(column.cx, 0);
    SetLeft(m_left);
    Redraw();
    return true;
}

bool ListView::GetColumn(int index, LVCOLUMNW& column) const {
    if (index < 0 || index >= ColumnCount())
        return false;
    const Column& source = m_columns[static_cast<std::size_t>(index)];
    if (column.mask & LVCF_FMT)
        column.fmt = source.fmt;
    if (column.mask & LVCF_WIDTH)
        column.cx = source.width;
    if (column.mask & LVCF_SUBITEM)
        column.iSubItem = source.subItem;
    if ((column.mask & LVCF_TEXT) && column.pszText != nullptr && column.cchTextMax > 0) {
        const std::size_t length = std::min(source.text.size(), static_cast<std::size_t>(column.cchTextMax - 1));
        std::copy_n(source.text.data(), length, column.pszText);
        column.pszText[length] = u'\0';
    }
    return true;
}

bool ListView::DeleteColumn(int index) {
    if (index < 0 || index >= ColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    if (index > 0)
        m_rows.EraseColumn(index);
    SetLeft(m_left);
    Redraw();
    return true;
}

int ListView::GetColumnWidth(int index) const {
    return index >= 0 && index < ColumnCount() ? m_columns[static_cast<std::size_t>(index)].width : 0;
}

bool ListView::SetColumnWidth(int index, LPARAM width) {
    if (index < 0 || index >= ColumnCount())
        return false;
    Column& column = m_columns[static_cast<std::size_t>(index)];
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = CellWidth(-1, index);
        for (int row = 0; row < Count(); ++row)
            widest = std::max(widest, CellWidth(row, index));
        if (width == LVSCW_AUTOSIZE_USEHEADER)
            widest = std::max(widest, HeaderWidth(column));
        column.width = widest;
    } else if (width >= 0) {
        column.width = static_cast<int>(std::min<LPARAM>(width, 0x7FFF));
    } else {
        return false;
    }
    SetLeft(m_left);
    Redraw();
    return true;
}

}  // namespace listview
