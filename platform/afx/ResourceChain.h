#pragma once

#include "platform/afx/ResourceSet.h"
#include "platform/win/WinTypes.h"

#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class CDynLinkLibrary;

namespace afx {

// The process's registered module resources and its chain of linked libraries, most recently linked
// first. One mutex guards both; lookups hold it while they read, so a library cannot be unlinked under
// them. Internal to the platform library.
class ResourceChain {
public:
    static ResourceChain& Instance();

    void Register(HINSTANCE hModule, const ResourceSet* pResources);
    const ResourceSet* Registered(HINSTANCE hModule) const;

    void Link(CDynLinkLibrary* pLibrary);
    void Unlink(const CDynLinkLibrary* pLibrary);
    // Unlinks the libraries of hModule (every library with all) and forgets hModule's resources; returns
    // the libraries for the caller to delete.
    std::vector<CDynLinkLibrary*> Take(HINSTANCE hModule, bool all);

    const DialogTemplate* FindDialog(UINT nID) const;
    // Copies the string, so it stays valid whatever the chain does next.
    bool FindString(UINT nID, std::u16string& out) const;

private:
    ResourceChain() = default;

    mutable std::mutex m_mutex;
    std::unordered_map<HINSTANCE, const ResourceSet*> m_registered;
    std::list<CDynLinkLibrary*> m_libraries;
};

}  // namespace afx
