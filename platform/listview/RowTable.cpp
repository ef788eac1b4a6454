#include "platform/listview/RowTable.h"

#include "platform/win/CommCtrl.h"

#include <algorithm>
#include <utility>

namespace listview {

namespace {

const CString kEmpty;

void RemoveSorted(std::vector<int>& rows, int row) {
    auto it = std::lower_bound(rows.begin(), rows.end(), row);
    if (it != rows.end() && *it == row)
        rows.erase(it);
}

}  // namespace

const CString& RowTable::Text(int row, int column) const {
    const std::vector<CString>& texts = At(row).texts;
    return column >= 0 && static_cast<std::size_t>(column) < texts.size() ? texts[static_cast<std::size_t>(column)]
                                                                           : kEmpty;
}

void RowTable::Insert(int at, Row row) {
    const bool appended = at == Count();
    if (m_dataIndex) {
        if (appended)
            (*m_dataIndex)[row.data].push_back(at);
        else
            DropDataIndex();
    }
    if (m_selectedFrom > at)
        ++m_selectedFrom;
    if (m_focused >= at)
        ++m_focused;
    if (row.state & LVIS_SELECTED) {
        ++m_selectedCount;
        m_selectedFrom = std::min(m_selectedFrom, at);
    }
    if (row.state & LVIS_FOCUSED)
        m_focused = at;
    m_rows.insert(m_rows.begin() + at, std::move(row));
}

void RowTable::Forget(int row) {
    const Row& gone = At(row);
    if (gone.state & LVIS_SELECTED)
        --m_selectedCount;
    if (m_focused == row)
        m_focused = -1;
    if (m_dataIndex) {
        if (row == Count() - 1) {
            auto it = m_dataIndex->find(gone.data);
            it->second.pop_back();
            if (it->second.empty())
                m_dataIndex->erase(it);
        } else {
            DropDataIndex();
        }
    }
}

void RowTable::Erase(int row) {
    Forget(row);
    if (m_selectedFrom > row)
        --m_selectedFrom;
    if (m_focused > row)
        --m_focused;
    m_rows.erase(m_rows.begin() + row);
}

void RowTable::Clear() {
    m_rows.clear();
    m_selectedCount = 0;
    m_selectedFrom = 0;
    m_focused = -1;
    // A list refilled row by row keeps no index meanwhile: the first search by data builds it.
    DropDataIndex();
}

void RowTable::SetState(int row, UINT state) {
    Row& target = m_rows[static_cast<std::size_t>(row)];
    const UINT gained = state & ~target.state;
    const UINT lost = target.state & ~state;
    if (gained & LVIS_SELECTED) {
        ++m_selectedCount;
        m_selectedFrom = std::min(m_selectedFrom, row);
    }
    if (lost & LVIS_SELECTED)
        --m_selectedCount;
    if (gained & LVIS_FOCUSED)
        m_focused = row;
    if ((lost & LVIS_FOCUSED) && m_focused == row)
        m_focused = -1;
    target.state = state;
}

void RowTable::SetData(int row, LPARAM data) {
    Row& target = m_rows[static_cast<std::size_t>(row)];
    if (m_dataIndex && target.data != data) {
        auto old = m_dataIndex->find(target.data);
        RemoveSorted(old->second, row);
        if (old->second.empty())
            m_dataIndex->erase(old);
        std::vector<int>& rows = (*m_dataIndex)[data];
        rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
    }
    target.data = data;
}

void RowTable::SetText(int row, int column, CString text) {
    std::vector<CString>& texts = m_rows[static_cast<std::size_t>(row)].texts;
    const auto index = static_cast<std::size_t>(column);
    if (index >= texts.size()) {
        if (text.IsEmpty())
            return;
        texts.resize(index + 1);
    }
    texts[index] = std::move(text);
}

void RowTable::InsertColumn(int column) {
    const auto index = static_cast<std::size_t>(column);
    for (Row& row : m_rows) {
        if (index < row.texts.size())
            row.texts.insert(row.texts.begin() + column, CString());
    }
}

void RowTable::EraseColumn(int column) {
    const auto index = static_cast<std::size_t>(column);
    for (Row& row : m_rows) {
        if (index < row.texts.size())
            row.texts.erase(row.texts.begin() + column);
    }
}

void RowTable::Reorder(const std::vector<int>& order) {
    std::deque<Row> sorted;
    m_focused = -1;
    for (int index : order) {
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(index)]));
        if (sorted.back().state & LVIS_FOCUSED)
            m_focused = static_cast<int>(sorted.size()) - 1;
    }
    m_rows = std::move(sorted);
    m_selectedFrom = 0;
    DropDataIndex();
}

int RowTable::NextSelected(int after) {
    if (m_selectedCount == 0)
        return -1;
    const bool fromTop = after < m_selectedFrom;
    for (int row = std::max(after + 1, m_selectedFrom); row < Count(); ++row) {
        if (At(row).state & LVIS_SELECTED) {
            if (fromTop)
                m_selectedFrom = row;
            return row;
        }
    }
    return -1;
}

std::vector<int> RowTable::SelectedRows() {
    std::vector<int> rows;
    for (int row = NextSelected(-1); row >= 0; row = NextSelected(row)) {
        rows.push_back(row);
        if (static_cast<int>(rows.size()) == m_selectedCount)
            break;
    }
    return rows;
}

int RowTable::FindData(LPARAM data, int after) {
    if (!m_dataIndex) {
        m_dataIndex.emplace();
        for (int row = 0; row < Count(); ++row)
            (*m_dataIndex)[At(row).data].push_back(row);
    }
    auto it = m_dataIndex->find(data);
    if (it == m_dataIndex->end())
        return -1;
    auto next = std::upper_bound(it->second.begin(), it->second.end(), after);
    return next == it->second.end() ? -1 : *next;
}

}  // namespace listview
