#include "platform/afx/CDynLinkLibrary.h"

#include "platform/afx/ResourceChain.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

void AfxRegisterModuleResources(HINSTANCE hModule, const ResourceSet* pResources) {
    afx::ResourceChain::Instance().Register(hModule, pResources);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE hModule) {
    if (state.bInitialized)
        return TRUE;
    if (hModule == nullptr)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    if (!state.bInitialized)
        return;
    // Taken off the chain first, so each destructor finds nothing left to unlink and no other thread can
    // reach a library while it is being deleted.
    for (CDynLinkLibrary* pLibrary : afx::ResourceChain::Instance().Take(state.hModule, bAll != FALSE))
        delete pLibrary;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule),
      m_hResource(state.hResource),
      m_bSystem(bSystem),
      m_pResources(afx::ResourceChain::Instance().Registered(state.hResource)) {
    afx::ResourceChain::Instance().Link(this);
}

CDynLinkLibrary::~CDynLinkLibrary() { afx::ResourceChain::Instance().Unlink(this); }

const DialogTemplate* AfxFindDialogTemplate(UINT nID) { return afx::ResourceChain::Instance().FindDialog(nID); }
