#include "module/dlg/CTarnLinkCheckDlg.h"

#include "contracts/host/CUrlEngineer.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "module/res/resource.h"

#include <cstdint>

// The check run: Start, Stop, the worker's reports and the checker's progress on the status line.

namespace {

// The result column's text for a status that came with an answer, and whether the link counts as good
// (its tick is cleared, so the next run leaves it out).
struct Verdict {
    UINT resultText;
    bool good;
};

Verdict Classify(std::uint32_t status) {
    if ((status >= 200 && status <= 206) || (status >= 300 && status <= 305))
        return {IDS_RESULT_OK, true};
    if ((status >= 400 && status <= 415) || (status >= 500 && status <= 505))
        return {IDS_LINK_ERROR, false};
    return {IDS_RESULT_UNKNOWN, false};
}

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

void SetStatusLine(CWnd& dialog, const CString& text) {
    if (CWnd* status = dialog.GetDlgItem(IDC_CHECK_STATUS))
        status->SetWindowText(text);
}

}  // namespace

void CTarnLinkCheckDlg::OnStart() {
    OnStartCheck(0, 0);
    // The worker's first report is handled only after this returns, so the whole run sees it cleared.
    userStopped = FALSE;
}

void CTarnLinkCheckDlg::OnStop() {
    linkList->stopCheck();
    userStopped = TRUE;
}

LRESULT CTarnLinkCheckDlg::OnStartCheck(WPARAM, LPARAM) {
    setChecking(TRUE);
    // Start only adds to the queue: items left pending by a stopped run stay pending, ticked or not.
    for (int row = 0; row < listCtrl.GetItemCount(); ++row) {
        CTarnLinkCheckItem* item = rowItem(row);
        if (item != nullptr && listCtrl.GetCheck(row))
            item->checkState = CHECK_PENDING;
    }
    linkList->notifyWnd = this;
    // Without a worker no WM_CHECK_FINISHED will come to end the checking state, so it ends here.
    if (!linkList->startCheck())
        setChecking(FALSE);
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnCheckFinished(WPARAM, LPARAM) {
    setChecking(FALSE);
    SetStatusLine(*this, LoadText(IDS_CHECK_FINISHED));
    return 1;
}

// The list keeps an index from item data to rows, so asking it costs the same however many rows there are;
// a walk over the rows here would make a run over the whole list quadratic.
int CTarnLinkCheckDlg::findRowOfItem(int index) {
    if (index < 0 || index >= linkList->getCount())
        return -1;
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(linkList->getItem(index));
    return listCtrl.FindItem(&find, -1);
}

LRESULT CTarnLinkCheckDlg::OnLinkChecking(WPARAM wParam, LPARAM) {
    const int row = findRowOfItem(static_cast<int>(wParam));
    if (row < 0)
        return 1;
    listCtrl.SetItemText(row, 1, linkList->sharedTexts.share(LoadText(IDS_CHECKING)));
    listCtrl.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    listCtrl.EnsureVisible(row, FALSE);
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnLinkResult(WPARAM wParam, LPARAM lParam) {
    const int row = findRowOfItem(static_cast<int>(wParam));
    if (row < 0)
        return 1;
    const auto status = static_cast<std::uint32_t>(lParam);
    // The rows share one buffer per distinct result and code text.
    CSharedTexts& shared = linkList->sharedTexts;
    if (status == 0) {
        // No answer: the link failed, unless the user's Stop cut the request short.
        listCtrl.SetItemText(row, 2, userStopped ? CString() : shared.share(LoadText(IDS_CONNECT_ERROR)));
        listCtrl.SetItemText(row, 1, shared.share(LoadText(userStopped ? IDS_CHECK_STOPPED : IDS_LINK_ERROR)));
    } else {
        CString code;
        code.Format(u"%d", static_cast<std::int32_t>(status));
        listCtrl.SetItemText(row, 2, shared.share(code));
        const Verdict verdict = Classify(status);
        if (verdict.good)
            listCtrl.SetCheck(row, FALSE);
        listCtrl.SetItemText(row, 1, shared.share(LoadText(verdict.resultText)));
    }
    listCtrl.SetItemState(row, 0, LVIS_SELECTED);
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnHttpConnecting(WPARAM wParam, LPARAM lParam) {
    if (CUrlEngineer* engine = CUrlEngineer::getInstance())
        SetStatusLine(*this, engine->getHttpConnecting(static_cast<unsigned int>(wParam), static_cast<long>(lParam)));
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnHttpConnected(WPARAM wParam, LPARAM lParam) {
    if (CUrlEngineer* engine = CUrlEngineer::getInstance())
        SetStatusLine(*this, engine->getHttpConnected(static_cast<unsigned int>(wParam), static_cast<long>(lParam)));
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnHttpProcessDone(WPARAM wParam, LPARAM lParam) {
    if (CUrlEngineer* engine = CUrlEngineer::getInstance())
        SetStatusLine(*this,
                      engine->getHttpProcessDone(static_cast<unsigned int>(wParam), static_cast<long>(lParam)));
    return 1;
}

LRESULT CTarnLinkCheckDlg::OnHttpStatusClear(WPARAM, LPARAM) {
    SetStatusLine(*this, CString());
    return 1;
}
