#include "platform/controls/ComboList.h"

#include <algorithm>
#include <utility>

namespace controls {

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

}  // namespace

const std::u16string* ComboList::Item(int index) const {
    return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

int ComboList::Add(std::u16string text) {
    // std::u16string compares char16_t as unsigned code units: the ordinal order.
    const auto at = m_sorted ? std::upper_bound(m_items.begin(), m_items.end(), text) : m_items.end();
    const int index = static_cast<int>(at - m_items.begin());
    m_items.insert(at, std::move(text));
    Inserted(index);
    return index;
}

int ComboList::Insert(int index, std::u16string text) {
    if (index == -1)
        index = Count();
    if (index < 0 || index > Count())
        return -1;
    m_items.insert(m_items.begin() + index, std::move(text));
    Inserted(index);
    return index;
}

void ComboList::Inserted(int index) {
    if (m_selection >= index)
        ++m_selection;
}

int ComboList::Delete(int index) {
    if (Item(index) == nullptr)
        return -1;
    m_items.erase(m_items.begin() + index);
    if (m_selection == index)
        m_selection = -1;
    else if (m_selection > index)
        --m_selection;
    return Count();
}

void ComboList::Reset() {
    m_items.clear();
    m_selection = -1;
    m_top = 0;
}

bool ComboList::Select(int index) {
    const int selection = Item(index) != nullptr ? index : -1;
    if (selection == m_selection)
        return false;
    m_selection = selection;
    return true;
}

int ComboList::FindByInitial(char16_t c) const {
    const char16_t wanted = FoldAscii(c);
    for (int step = 1; step <= Count(); ++step) {
        const int index = (m_selection + step) % Count();
        const std::u16string& item = m_items[static_cast<std::size_t>(index)];
        if (!item.empty() && FoldAscii(item.front()) == wanted)
            return index;
    }
    return -1;
}

void ComboList::ClampTop(int lines) { m_top = std::clamp(m_top, 0, std::max(Count() - std::max(lines, 1), 0)); }

void ComboList::ScrollToSelection(int lines) {
    lines = std::max(lines, 1);
    if (m_selection >= 0) {
        if (m_selection < m_top)
            m_top = m_selection;
        else if (m_selection >= m_top + lines)
            m_top = m_selection - lines + 1;
    }
    ClampTop(lines);
}

void ComboList::Scroll(int delta, int lines) {
    m_top += delta;
    ClampTop(lines);
}

}  // namespace controls
