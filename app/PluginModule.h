#pragma once
#include <stdexcept>
#include <string>

class CPluginHost;

// A module that cannot be loaded or refuses the host's table, with a message for the user.
class PluginModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The link check module, loaded as the editor loads its plug-ins: dlopen, then FSetFunctionAddress with
// a function table, from which the entry is taken.
class PluginModule {
public:
    using Entry = void (*)(CPluginHost*);

    // Entries in the table the host hands over, 8 bytes each; the module's is entry 139.
    static constexpr int TABLE_ENTRIES = 140;
    static constexpr int ENTRY_OFFSET = 1112;

    // `<folder of the running program>/../lib/tarn/tarnlinkcheck.so`.
    static std::string defaultPath();

    // Loads the module at `path` (empty: defaultPath(), as when `--module` is left out) and takes its
    // entry; throws PluginModuleError when the file cannot be loaded, exports no FSetFunctionAddress,
    // answers the table with a result other than 0, or leaves the entry empty.
    static PluginModule load(const std::string& path);

    Entry entry() const { return entry_; }

private:
    explicit PluginModule(Entry entry) : entry_(entry) {}

    Entry entry_;
};
