#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/afx/ResourceSet.h"
#include "platform/win/WinTypes.h"

// Extension modules and the process-wide resource chain. A module's startup code registers its resources
// under its HINSTANCE, initializes its AFX_EXTENSION_MODULE and creates a CDynLinkLibrary, which links the
// resources into the chain; lookups then search the chain, most recently linked module first. At unload,
// AfxTermExtensionModule unlinks and deletes the module's CDynLinkLibrary objects. Every call is thread-safe.

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HINSTANCE hModule;
    HINSTANCE hResource;  // the instance whose registered resources the module's libraries link
};

// Ties hModule to pResources, which must stay alive until it is replaced, forgotten (a null pResources)
// or the module is terminated. A CDynLinkLibrary takes the set registered when it is created.
AFX_API void AfxRegisterModuleResources(HINSTANCE hModule, const ResourceSet* pResources);

// Records hModule as the module's instance and resource instance. FALSE for a null hModule; TRUE without
// change when state is already initialized.
AFX_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE hModule);

// Unlinks and deletes the CDynLinkLibrary objects of state's module (every one in the chain with bAll) and
// forgets the resources registered for it. Nothing happens for a state that was never initialized.
AFX_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the resource chain: created on the heap by the module, deleted by AfxTermExtensionModule.
class AFX_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Links the resources registered for state.hResource (none when nothing is registered) at the head
    // of the chain.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    // Unlinks, when still linked.
    ~CDynLinkLibrary() override;

    HINSTANCE m_hModule;
    HINSTANCE m_hResource;
    BOOL m_bSystem;
    const ResourceSet* m_pResources;  // may be null
};

// The first template with id nID along the chain, or null. The template belongs to its module: it stays
// valid while that module's library is linked.
AFX_API const DialogTemplate* AfxFindDialogTemplate(UINT nID);
