#include <dlfcn.h>

#include "module/plugin/ModuleStartup.h"

// The shared object's load and unload, in place of a DLL's process entry point. The module's instance
// handle is the address it is loaded at: unique among the loaded modules, and known without the host.

namespace {

__attribute__((constructor)) void attachModule() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&attachModule), &info) == 0 || info.dli_fbase == nullptr)
        return;
    linkCheckModuleAttach(static_cast<HINSTANCE>(info.dli_fbase));
}

__attribute__((destructor)) void detachModule() { linkCheckModuleDetach(); }

}  // namespace
