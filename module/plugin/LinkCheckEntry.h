#pragma once

class CPluginHost;

// The module's face to the host: the one exported function, which installs the entry callback in the
// host's function table, and the callback itself.

// The entry's place in the host's table: entry 139 of 8-byte entries, so a table needs at least 140.
constexpr int LINK_CHECK_ENTRY_INDEX = 139;
constexpr int LINK_CHECK_ENTRY_OFFSET = LINK_CHECK_ENTRY_INDEX * 8;  // 1112

// Writes the address of LinkCheckEntry at byte offset 1112 of `table` and returns 0; returns 1 for a
// version other than 1, 2 for a null table, 3 for a table of 139 entries or fewer, in this order, and
// then writes nothing. Keeps no state.
extern "C" __attribute__((visibility("default"))) int FSetFunctionAddress(void* table, void* reserved, int version,
                                                                          int count);

// Runs the link check dialog over the host's window and tells the host when OK changed the document.
void LinkCheckEntry(CPluginHost* host);
