#include "platform/afx/CString.h"

#include "platform/afx/ResourceChain.h"

BOOL CString::LoadString(UINT nID) {
    std::u16string text;
    if (!afx::ResourceChain::Instance().FindString(nID, text)) {
        Empty();
        return FALSE;
    }
    Assign(text);
    return TRUE;
}
