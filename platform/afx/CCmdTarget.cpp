#include "platform/afx/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const UINT packed = static_cast<UINT>(nCode);
    const UINT nMessage = HIWORD(packed) == 0 ? WM_COMMAND : HIWORD(packed);
    const AfxSig nSig = nMessage == WM_NOTIFY ? AfxSigNotify_v : AfxSigCmd_v;
    const AFX_MSGMAP_ENTRY* pEntry = afx::FindMessageEntry(GetMessageMap(), nMessage, LOWORD(packed), nID, nSig);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    if (nSig == AfxSigNotify_v) {
        if (pExtra == nullptr)
            return FALSE;
        const auto* pNotify = static_cast<const AFX_NOTIFY*>(pExtra);
        const auto pfn = afx::HandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn);
        (this->*pfn)(pNotify->pNMHDR, pNotify->pResult);
    } else {
        (this->*pEntry->pfn)();
    }
    return TRUE;
}
