#include "platform/listview/RowTable.h"

#include "platform/win/CommCtrl.h"

#include <algorithm>
#include <optional>
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
    return column >= 0 && static_cast<std::size_t>(column) < m_width ? m_texts[Slot(row, static_cast<std::size_t>(column))]
                                                                      : kEmpty;
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
    m_rows.insert(m_rows.begin() + at, row);
    const auto first = m_texts.insert(m_texts.begin() + static_cast<std::ptrdiff_t>(Slot(at, 0)), m_width, CString());
    *first = std::move(text);
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
    const auto first = m_texts.begin() + static_cast<std::ptrdiff_t>(Slot(row, 0));
    m_texts.erase(first, first + static_cast<std::ptrdiff_t>(m_width));
}

void RowTable::Clear() {
    m_rows.clear();
    m_texts.clear();
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
    const auto index = static_cast<std::size_t>(column);
    if (index >= m_width) {
        if (text.IsEmpty())
            return;
        Restride(index + 1, m_width);
    }
    m_texts[Slot(row, index)] = std::move(text);
}

void RowTable::InsertColumn(int column) {
    const auto index = static_cast<std::size_t>(column);
    if (index < m_width)
        Restride(m_width + 1, index);
}

void RowTable::EraseColumn(int column) {
    const auto index = static_cast<std::size_t>(column);
    if (index >= m_width)
        return;
    if (m_width == 1) {
        std::fill(m_texts.begin(), m_texts.end(), CString());
        return;
    }
    Restride(m_width - 1, index);
}

void RowTable::Restride(std::size_t width, std::size_t column) {
    const std::size_t rows = m_rows.size();
    const std::size_t old = m_width;
    // The text that goes to `to` of a row, as an index in the old row; none for the new ones.
    auto source = [&](std::size_t to) -> std::optional<std::size_t> {
        if (to < column)
            return to;
        if (width > old)
            return to < column + (width - old) ? std::nullopt : std::optional(to - (width - old));
        return to + (old - width);
    };
    auto place = [&](std::size_t row, std::size_t to) {
        const std::size_t target = row * width + to;
        const std::optional<std::size_t> from = source(to);
        if (!from)
            m_texts[target] = CString();
        else if (row * old + *from != target)
            m_texts[target] = std::move(m_texts[row * old + *from]);
    };
    // Every text moves away from the end the walk starts at, so none is overwritten before it has moved.
    if (width > old) {
        m_texts.resize(rows * width);
        for (std::size_t row = rows; row-- > 0;) {
            for (std::size_t to = width; to-- > 0;)
                place(row, to);
        }
    } else {
        for (std::size_t row = 0; row < rows; ++row) {
            for (std::size_t to = 0; to < width; ++to)
                place(row, to);
        }
        m_texts.resize(rows * width);
    }
    m_width = width;
}

void RowTable::Reorder(const std::vector<int>& order) {
    std::deque<Row> sorted;
    std::deque<CString> texts;
    m_focused = -1;
    for (int index : order) {
        sorted.push_back(m_rows[static_cast<std::size_t>(index)]);
        if (sorted.back().state & LVIS_FOCUSED)
            m_focused = static_cast<int>(sorted.size()) - 1;
        for (std::size_t column = 0; column < m_width; ++column)
            texts.push_back(std::move(m_texts[Slot(index, column)]));
    }
    m_rows = std::move(sorted);
    m_texts = std::move(texts);
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
