#include "app/PluginModule.h"

#include <dlfcn.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace {

using SetFunctionAddress = int (*)(void* table, void* reserved, int version, int count);

std::string refusal(int result) {
    switch (result) {
    case 1:
        return "it does not support interface version 1";
    case 2:
        return "it was given no table";
    case 3:
        return "the table is too short for it";
    default:
        return "it answered " + std::to_string(result);
    }
}

}  // namespace

std::string PluginModule::defaultPath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "tarnlinkcheck.so";
    return (self.parent_path() / ".." / "lib" / "tarn" / "tarnlinkcheck.so").lexically_normal().string();
}

PluginModule PluginModule::load(const std::string& given) {
    const std::string path = given.empty() ? defaultPath() : given;
    // The module stays loaded for the rest of the process, as in the editor: its worker may still be on
    // its way out of the module's code when the dialog has ended.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr)
        throw PluginModuleError("cannot load the link check module " + path + ": " + dlerror());
    auto setFunctionAddress = reinterpret_cast<SetFunctionAddress>(dlsym(handle, "FSetFunctionAddress"));
    if (setFunctionAddress == nullptr)
        throw PluginModuleError("not a link check module (no FSetFunctionAddress): " + path);
    std::array<std::uint64_t, TABLE_ENTRIES> table{};
    int result = setFunctionAddress(table.data(), nullptr, 1, TABLE_ENTRIES);
    if (result != 0)
        throw PluginModuleError("the link check module " + path + " refused the function table (result " +
                                std::to_string(result) + ": " + refusal(result) + ")");
    Entry entry = nullptr;
    std::memcpy(&entry, reinterpret_cast<const char*>(table.data()) + ENTRY_OFFSET, sizeof entry);
    if (entry == nullptr)
        throw PluginModuleError("the link check module " + path + " gave no entry");
    return PluginModule(entry);
}
