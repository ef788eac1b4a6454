#include "platform/listview/ColumnTexts.h"

#include <algorithm>
#include <utility>

namespace listview {

namespace {

const CString kEmpty;

template <class T>
void Permute(std::deque<T>& values, const std::vector<int>& order) {
    std::deque<T> moved;
    for (int index : order)
        moved.push_back(std::move(values[static_cast<std::size_t>(index)]));
    values = std::move(moved);
}

}  // namespace

const CString& ColumnTexts::At(std::size_t row) const {
    switch (m_kind) {
    case Kind::Named:
        return m_named[m_names[row]];
    case Kind::Strings:
        return m_strings[row];
    case Kind::Nothing:
        break;
    }
    return kEmpty;
}

void ColumnTexts::Set(std::size_t row, CString text, std::size_t rows) {
    if (m_kind == Kind::Nothing) {
        if (text.IsEmpty())
            return;
        m_kind = Kind::Named;
        m_named.assign(1, CString());
        m_names.assign(rows, 0);
    }
    if (m_kind == Kind::Named) {
        // The same buffer, not only the same text: a row keeps the very string it was given.
        auto named = std::find_if(m_named.begin(), m_named.end(),
                                  [&](const CString& s) { return s.GetString() == text.GetString(); });
        if (named != m_named.end()) {
            m_names[row] = static_cast<std::uint8_t>(named - m_named.begin());
            return;
        }
        if (m_named.size() < kMostNamed) {
            m_names[row] = static_cast<std::uint8_t>(m_named.size());
            m_named.push_back(std::move(text));
            return;
        }
        SpellOut();
    }
    m_strings[row] = std::move(text);
}

void ColumnTexts::SpellOut() {
    for (std::uint8_t name : m_names)
        m_strings.push_back(m_named[name]);
    m_names.clear();
    m_named.clear();
    m_kind = Kind::Strings;
}

void ColumnTexts::Insert(std::size_t row) {
    if (m_kind == Kind::Named)
        m_names.insert(m_names.begin() + static_cast<std::ptrdiff_t>(row), 0);
    else if (m_kind == Kind::Strings)
        m_strings.insert(m_strings.begin() + static_cast<std::ptrdiff_t>(row), CString());
}

void ColumnTexts::Erase(std::size_t row) {
    if (m_kind == Kind::Named)
        m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(row));
    else if (m_kind == Kind::Strings)
        m_strings.erase(m_strings.begin() + static_cast<std::ptrdiff_t>(row));
}

void ColumnTexts::Clear() {
    m_named.clear();
    m_names.clear();
    m_strings.clear();
    m_kind = Kind::Nothing;
}

void ColumnTexts::Reorder(const std::vector<int>& order) {
    if (m_kind == Kind::Named)
        Permute(m_names, order);
    else if (m_kind == Kind::Strings)
        Permute(m_strings, order);
}

}  // namespace listview
