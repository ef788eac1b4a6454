#include "module/plugin/ModuleStartup.h"

#include "module/res/LinkCheckResources.h"
#include "platform/afx/CDynLinkLibrary.h"

namespace {

AFX_EXTENSION_MODULE linkCheckDLL = {FALSE, nullptr, nullptr};

}  // namespace

void linkCheckModuleAttach(HINSTANCE hModule) {
    AfxRegisterModuleResources(hModule, &linkCheckResources());
    if (!AfxInitExtensionModule(linkCheckDLL, hModule))
        return;
    // Linked into the chain by its constructor; AfxTermExtensionModule deletes it.
    new CDynLinkLibrary(linkCheckDLL);
}

void linkCheckModuleDetach() { AfxTermExtensionModule(linkCheckDLL); }
