#pragma once

#include <string>
#include <vector>

namespace controls {

// The items of a drop-down-list combo box, its selection, whether the list is dropped, and the first item
// the dropped list shows. A sorted list orders by UTF-16 code unit (ordinal, no locale), so the order is
// the same on every machine; an item equal to others goes after them.
class ComboList {
public:
    explicit ComboList(bool sorted) : m_sorted(sorted) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    // Null for an index outside the list.
    const std::u16string* Item(int index) const;
    int Selection() const { return m_selection; }  // -1: none
    int Top() const { return m_top; }
    bool Dropped() const { return m_dropped; }
    void SetDropped(bool dropped) { m_dropped = dropped; }

    // At its place in order when sorted, else at the end. Returns the index.
    int Add(std::u16string text);
    // Before `index`, or at the end for -1; never sorted. Returns the index, or -1 when past the end.
    int Insert(int index, std::u16string text);
    // Returns the number of items left, or -1 for an index outside the list. The selected item's removal
    // leaves no selection.
    int Delete(int index);
    void Reset();
    // An index outside the list clears the selection. Returns whether the selection changed.
    bool Select(int index);

    // The index of the next item after the selection (wrapping) whose first character is `c`, ignoring
    // ASCII case, as typing a letter in the box picks; -1 when none.
    int FindByInitial(char16_t c) const;

    // Keeps Top inside the list as `lines` lines show it, and with ScrollToSelection the selection too.
    void ClampTop(int lines);
    void ScrollToSelection(int lines);
    // Scrolls the dropped list by `delta` items (negative: up).
    void Scroll(int delta, int lines);

private:
    void Inserted(int index);

    bool m_sorted;
    std::vector<std::u16string> m_items;
    int m_selection = -1;
    int m_top = 0;
    bool m_dropped = false;
};

}  // namespace controls
