#pragma once

#include "platform/afx/CString.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace listview {

// The texts of one column, one a row. A list repeats a few texts down some columns (tag and attribute names,
// results), each row sharing one of a handful of buffers: while the column has held at most 255 buffers, a row
// keeps a byte that names its text's buffer instead of a string of its own. A column given more changes once
// to a string a row. A column that was given nothing but empty texts holds nothing at all.
class ColumnTexts {
public:
    // The text of `row` (empty for rows of a column that holds nothing).
    const CString& At(std::size_t row) const;
    // Gives `row` the text, sharing its buffer; `rows` is the list's row count, which `row` is below.
    void Set(std::size_t row, CString text, std::size_t rows);

    // The rows from `row` on move down one; the new row's text is empty.
    void Insert(std::size_t row);
    void Erase(std::size_t row);
    void Clear();
    // The row at index k afterwards is the one at order[k] before.
    void Reorder(const std::vector<int>& order);

private:
    enum class Kind { Nothing, Named, Strings };
    static constexpr std::size_t kMostNamed = 256;  // the empty text and 255 others

    void SpellOut();  // Named to Strings

    Kind m_kind = Kind::Nothing;
    std::vector<CString> m_named;            // Named: the buffers the rows name; [0] is the empty text
    std::deque<std::uint8_t> m_names;        // Named: the row's index into m_named
    std::deque<CString> m_strings;           // Strings: the row's text
};

}  // namespace listview
