#include "platform/afx/CString.h"

#include "platform/afx/ResourceChain.h"

BOOL CString::LoadString(UINT nID) {
    std::u16string text;
    if (!afx::ResourceChain::Instance().FindString(nID, text)) {
        m_str.clear();
        return FALSE;
    }
    m_str = std::move(text);
    return TRUE;
}
