#pragma once

#include "platform/win/WinTypes.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct RegistryValue {
    std::u16string name;  // as first given; empty for the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct RegistryKey {
    std::u16string path;  // from HKEY_CURRENT_USER, '\'-separated, each name as first given; empty for the root
    std::map<std::u16string, RegistryValue> values;  // by folded name
};

// Names compare with ASCII letters folded to lower case, as the store's keys and values do.
std::u16string FoldName(std::u16string_view name);

// The keys of HKEY_CURRENT_USER by folded path. The root always exists; a key's parents always exist.
// Sorted by folded path, so a parent comes before its children.
class RegistryTree {
public:
    RegistryTree();

    // Splits a '\'-separated path; a trailing '\' is allowed. Empty when a name is empty or holds a control
    // character (the file cannot carry those), or when the path is too long.
    static std::optional<std::vector<std::u16string>> SplitPath(std::u16string_view path);

    RegistryKey* Find(const std::u16string& foldedPath);
    // Makes the key and its missing parents below the key at foldedBase; true when the key itself is new.
    bool Create(const std::u16string& foldedBase, const std::vector<std::u16string>& names, std::u16string& foldedPath);
    static std::u16string Join(const std::u16string& foldedBase, const std::vector<std::u16string>& names);

    const std::map<std::u16string, RegistryKey>& Keys() const { return m_keys; }

private:
    std::map<std::u16string, RegistryKey> m_keys;
};

}  // namespace win
