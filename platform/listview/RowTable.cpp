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
    if (column < 0 || static_cast<std::size_t>(column) >= m_columns.size())
        return kEmpty;
    return m_columns[static_cast<std::size_t>(column)].At(static_cast<std::size_t>(row));
}

void RowTable::Insert(int at, Row row, CString text) {
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
    m_data.insert(m_data.begin() + at, row.data);
    m_states.insert(m_states.begin() + at, row.state);
    for (ColumnTexts& texts : m_columns)
        texts.Insert(static_cast<std::size_t>(at));
    SetText(at, 0, std::move(text));
}

void RowTable::Forget(int row) {
    const Row gone = At(row);
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
    m_data.erase(m_data.begin() + row);
    m_states.erase(m_states.begin() + row);
    for (ColumnTexts& texts : m_columns)
        texts.Erase(static_cast<std::size_t>(row));
}

void RowTable::Clear() {
    m_data.clear();
    m_states.clear();
    for (ColumnTexts& texts : m_columns)
        texts.Clear();
    m_selectedCount = 0;
    m_selectedFrom = 0;
    m_focused = -1;
    // A list refilled row by row keeps no index meanwhile: the first search by data builds it.
    DropDataIndex();
}

void RowTable::SetState(int row, UINT state) {
    UINT& target = m_states[static_cast<std::size_t>(row)];
    const UINT gained = state & ~target;
    const UINT lost = target & ~state;
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
    target = state;
}

void RowTable::SetData(int row, LPARAM data) {
    LPARAM& target = m_data[static_cast<std::size_t>(row)];
    if (m_dataIndex && target != data) {
        auto old = m_dataIndex->find(target);
        RemoveSorted(old->second, row);
        if (old->second.empty())
            m_dataIndex->erase(old);
        std::vector<int>& rows = (*m_dataIndex)[data];
        rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
    }
    target = data;
}

void RowTable::SetText(int row, int column, CString text) {
    const auto index = static_cast<std::size_t>(column);
    if (index >= m_columns.size()) {
        if (text.IsEmpty())
            return;
        m_columns.resize(index + 1);
    }
    m_columns[index].Set(static_cast<std::size_t>(row), std::move(text), m_data.size());
}

void RowTable::InsertColumn(int column) {
    if (static_cast<std::size_t>(column) < m_columns.size())
        m_columns.insert(m_columns.begin() + column, ColumnTexts());
}

void RowTable::EraseColumn(int column) {
    if (static_cast<std::size_t>(column) < m_columns.size())
        m_columns.erase(m_columns.begin() + column);
}

void RowTable::Reorder(const std::vector<int>& order) {
    std::deque<LPARAM> data;
    std::deque<UINT> states;
    m_focused = -1;
    for (int index : order) {
        data.push_back(m_data[static_cast<std::size_t>(index)]);
        states.push_back(m_states[static_cast<std::size_t>(index)]);
        if (states.back() & LVIS_FOCUSED)
            m_focused = static_cast<int>(states.size()) - 1;
    }
    m_data = std::move(data);
    m_states = std::move(states);
    for (ColumnTexts& texts : m_columns)
        texts.Reorder(order);
    m_selectedFrom = 0;
    DropDataIndex();
}

int RowTable::NextSelected(int after) {
    if (m_selectedCount == 0)
        return -1;
    const bool fromTop = after < m_selectedFrom;
    for (int row = std::max(after + 1, m_selectedFrom); row < Count(); ++row) {
        if (m_states[static_cast<std::size_t>(row)] & LVIS_SELECTED) {
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
            (*m_dataIndex)[m_data[static_cast<std::size_t>(row)]].push_back(row);
    }
    auto it = m_dataIndex->find(data);
    if (it == m_dataIndex->end())
        return -1;
    auto next = std::upper_bound(it->second.begin(), it->second.end(), after);
    return next == it->second.end() ? -1 : *next;
}

}  // namespace listview
