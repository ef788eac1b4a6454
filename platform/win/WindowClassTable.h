#pragma once

#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace win {

// The process's window classes by name. Names compare ignoring ASCII case, as on Windows. Classes are
// registered from static initialisers of the libraries, on any thread, so the table locks.
class WindowClassTable {
public:
    static WindowClassTable& Instance();

    // False when the name is taken.
    bool Register(std::u16string_view name, WNDPROC procedure);
    // The procedure of the class, or null.
    WNDPROC Find(std::u16string_view name) const;

private:
    WindowClassTable() = default;
    static std::u16string Key(std::u16string_view name);

    mutable std::mutex m_mutex;
    std::unordered_map<std::u16string, WNDPROC> m_classes;
};

}  // namespace win
