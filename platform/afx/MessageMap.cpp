#include "platform/afx/MessageMap.h"

namespace afx {

const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID, AfxSig nSig) {
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap == nullptr ? nullptr : pMap->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry) {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && pEntry->nID == nID && pEntry->nSig == nSig)
                return pEntry;
        }
    }
    return nullptr;
}

}  // namespace afx
