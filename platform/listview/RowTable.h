#pragma once

#include "platform/afx/CString.h"
#include "platform/listview/ColumnTexts.h"
#include "platform/win/WinTypes.h"

#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

namespace listview {

// One row's item data and LVIS_* state. Its texts are kept by the table.
struct Row {
    LPARAM data = 0;
    UINT state = 0;
};

// The rows of a list view and what is kept about them so that the questions a dialog asks for every row
// (the selected count, the next selected row, the focused row, the row holding some item data) cost
// constant time instead of a walk over 100 000 rows. Knows nothing of windows or notifications.
class RowTable {
public:
    int Count() const { return static_cast<int>(m_data.size()); }
    Row At(int row) const {
        const auto index = static_cast<std::size_t>(row);
        return {m_data[index], m_states[index]};
    }
    // The row's text in `column` (column 0 is the main item's); empty where none was given. The texts are
    // framework strings, so a row given a CString shares its buffer.
    const CString& Text(int row, int column) const;

    // Puts the row, `text` its main item's text, at index `at` (0..Count()); the rows from there move
    // down one.
    void Insert(int at, Row row, CString text);
    void Erase(int row);
    void Clear();

    void SetState(int row, UINT state);
    void SetData(int row, LPARAM data);
    void SetText(int row, int column, CString text);

    // Every row's texts from `column` on move one column right (insert) or left (erase).
    void InsertColumn(int column);
    void EraseColumn(int column);

    // Puts the rows in a new order: the row at index k afterwards is the one at order[k] before.
    void Reorder(const std::vector<int>& order);

    int SelectedCount() const { return m_selectedCount; }
    // The focused row, or -1 (the list keeps at most one).
    int Focused() const { return m_focused; }
    // The first selected row after `after` (-1: from the top), or -1.
    int NextSelected(int after);
    // Every selected row in order; the walk ends at the last of them.
    std::vector<int> SelectedRows();
    // The first row after `after` whose item data is `data`, or -1.
    int FindData(LPARAM data, int after);

private:
    void Forget(int row);  // drops the bookkeeping of a row about to leave
    void DropDataIndex() { m_dataIndex.reset(); }

    // Each row's item data and state, and its texts column by column: blocks for the whole table, where a
    // vector of texts per row would cost a heap block and its header each.
    std::deque<LPARAM> m_data;
    std::deque<UINT> m_states;
    std::vector<ColumnTexts> m_columns;
    int m_selectedCount = 0;
    // No selected row lies above this index; the search for the first selected row starts here and moves it
    // down to what it finds, so walking the selection is linear however often it is asked.
    int m_selectedFrom = 0;
    int m_focused = -1;
    // The rows of each item data in ascending order, built on the first search by data and kept while rows
    // are only appended, removed from the end, or given new data; any other move drops it.
    std::optional<std::unordered_map<LPARAM, std::vector<int>>> m_dataIndex;
};

}  // namespace listview
