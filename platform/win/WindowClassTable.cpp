#include "platform/win/WindowClassTable.h"

namespace win {

WindowClassTable& WindowClassTable::Instance() {
    // Never destroyed: windows may still be created while other libraries' static objects are torn down.
    static WindowClassTable* const table = new WindowClassTable;
    return *table;
}

std::u16string WindowClassTable::Key(std::u16string_view name) {
    std::u16string key(name);
    for (char16_t& c : key) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
}

bool WindowClassTable::Register(std::u16string_view name, WNDPROC procedure) {
    std::lock_guard lock(m_mutex);
    return m_classes.emplace(Key(name), procedure).second;
}

WNDPROC WindowClassTable::Find(std::u16string_view name) const {
    std::lock_guard lock(m_mutex);
    auto it = m_classes.find(Key(name));
    return it == m_classes.end() ? nullptr : it->second;
}

}  // namespace win
