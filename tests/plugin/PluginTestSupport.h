#pragma once
#include <dlfcn.h>

#include <array>
#include <cstdint>
#include <cstring>

class CPluginHost;

namespace tarn::test {

using SetFunctionAddress = int (*)(void* table, void* reserved, int version, int count);
using Entry = void (*)(CPluginHost*);

// The built module, loaded once for the process as the host program loads it; null when it cannot be.
inline void* moduleHandle() {
    static void* handle = dlopen(TARN_MODULE_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    return handle;
}

inline SetFunctionAddress moduleExport() {
    void* handle = moduleHandle();
    return handle ? reinterpret_cast<SetFunctionAddress>(dlsym(handle, "FSetFunctionAddress")) : nullptr;
}

// The entry as a host takes it: from byte offset 1112 of a table of 140 entries.
inline Entry moduleEntry() {
    SetFunctionAddress setFunctionAddress = moduleExport();
    std::array<std::uint64_t, 140> table{};
    if (setFunctionAddress == nullptr || setFunctionAddress(table.data(), nullptr, 1, 140) != 0)
        return nullptr;
    Entry entry = nullptr;
    std::memcpy(&entry, reinterpret_cast<const char*>(table.data()) + 1112, sizeof entry);
    return entry;
}

}  // namespace tarn::test
