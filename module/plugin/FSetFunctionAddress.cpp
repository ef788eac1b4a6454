#include "module/plugin/LinkCheckEntry.h"

#include <cstring>

extern "C" int FSetFunctionAddress(void* table, void*, int version, int count) {
    if (version != 1)
        return 1;
    if (table == nullptr)
        return 2;
    if (count <= LINK_CHECK_ENTRY_INDEX)
        return 3;
    // The whole 8-byte entry holds the pointer: on a 64-bit build the address needs all of it.
    void (*entry)(CPluginHost*) = &LinkCheckEntry;
    std::memcpy(static_cast<char*>(table) + LINK_CHECK_ENTRY_OFFSET, &entry, sizeof entry);
    return 0;
}
