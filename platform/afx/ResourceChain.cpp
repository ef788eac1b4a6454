#include "platform/afx/ResourceChain.h"

#include "platform/afx/CDynLinkLibrary.h"

#include <algorithm>

namespace afx {

ResourceChain& ResourceChain::Instance() {
    // Never destroyed: a module may terminate after the static destructors ran.
    static ResourceChain* const chain = new ResourceChain;
    return *chain;
}

void ResourceChain::Register(HINSTANCE hModule, const ResourceSet* pResources) {
    std::lock_guard lock(m_mutex);
    if (pResources == nullptr)
        m_registered.erase(hModule);
    else
        m_registered[hModule] = pResources;
}

const ResourceSet* ResourceChain::Registered(HINSTANCE hModule) const {
    std::lock_guard lock(m_mutex);
    auto it = m_registered.find(hModule);
    return it == m_registered.end() ? nullptr : it->second;
}

void ResourceChain::Link(CDynLinkLibrary* pLibrary) {
    std::lock_guard lock(m_mutex);
    m_libraries.push_front(pLibrary);
}

void ResourceChain::Unlink(const CDynLinkLibrary* pLibrary) {
    std::lock_guard lock(m_mutex);
    m_libraries.remove_if([pLibrary](const CDynLinkLibrary* pLinked) { return pLinked == pLibrary; });
}

std::vector<CDynLinkLibrary*> ResourceChain::Take(HINSTANCE hModule, bool all) {
    std::lock_guard lock(m_mutex);
    std::vector<CDynLinkLibrary*> taken;
    std::erase_if(m_libraries, [&](CDynLinkLibrary* pLibrary) {
        if (!all && pLibrary->m_hModule != hModule)
            return false;
        taken.push_back(pLibrary);
        return true;
    });
    m_registered.erase(hModule);
    return taken;
}

const DialogTemplate* ResourceChain::FindDialog(UINT nID) const {
    std::lock_guard lock(m_mutex);
    for (const CDynLinkLibrary* pLibrary : m_libraries) {
        if (pLibrary->m_pResources == nullptr)
            continue;
        if (const DialogTemplate* pTemplate = pLibrary->m_pResources->FindDialog(nID))
            return pTemplate;
    }
    return nullptr;
}

bool ResourceChain::FindString(UINT nID, std::u16string& out) const {
    std::lock_guard lock(m_mutex);
    for (const CDynLinkLibrary* pLibrary : m_libraries) {
        if (pLibrary->m_pResources == nullptr)
            continue;
        if (const std::u16string* pString = pLibrary->m_pResources->FindString(nID)) {
            out = *pString;
            return true;
        }
    }
    return false;
}

}  // namespace afx
