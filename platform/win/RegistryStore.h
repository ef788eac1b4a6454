#pragma once

#include "platform/win/RegistryTree.h"
#include "platform/win/WinReg.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace win {

// HKEY_CURRENT_USER and the handles open on it, behind one mutex. The file is read on first use; every
// change that succeeds in memory is written at once, and a failed write keeps the change in memory.
class RegistryStore {
public:
    static RegistryStore& Instance();

    LSTATUS Open(HKEY base, LPCWSTR subKey, REGSAM access, bool create, PHKEY result, LPDWORD disposition);
    LSTATUS Query(HKEY key, LPCWSTR name, LPDWORD type, LPBYTE data, LPDWORD size);
    LSTATUS Set(HKEY key, LPCWSTR name, DWORD type, const BYTE* data, DWORD size);
    LSTATUS Delete(HKEY key, LPCWSTR name);
    LSTATUS Close(HKEY key);
    void Reset();
    void KeepChangesInMemory(bool keep);

private:
    struct OpenKey {
        std::u16string foldedPath;
        REGSAM access;
    };

    RegistryStore() = default;

    // Loads the file when the store has not been used since start or the last Reset.
    RegistryTree& Tree();
    // The key a handle names when it grants `needed`; the error to answer otherwise.
    LSTATUS Resolve(HKEY key, REGSAM needed, RegistryKey*& found);
    LSTATUS Save();

    std::mutex m_mutex;
    std::optional<RegistryTree> m_tree;
    std::filesystem::path m_file;
    std::unordered_map<HKEY, OpenKey> m_handles;
    std::uintptr_t m_nextHandle = 0x1000;
    bool m_inMemoryOnly = false;
};

}  // namespace win
