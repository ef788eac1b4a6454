#include "module/dlg/CTarnLinkCheckDlg.h"

#include "contracts/host/CParamEngineer.h"
#include "contracts/host/CPluginHost.h"
#include "contracts/host/Cci.h"
#include "module/links/CTarnLinkCheckItem.h"
#include "module/links/LinkCheckValues.h"
#include "module/res/resource.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WindowInput.h"

// The correction panel: what the user decides for the selected link, recorded on its item. The rows are
// the live copy of the marks and results; the items get them back from the rows when the list is rebuilt.

namespace {

// Tells the host window that the editor's source cursor now stands on a link's element.
constexpr UINT WM_HOST_SOURCE_CURSOR_MOVED = 0x060C;

// Every part of the page the browser shows: its URL and its title.
constexpr DWORD ALL_WINDOW_INFO = static_cast<DWORD>(-1);

// Shows the row's current URL and leaves the new-URL edit empty for the user's next entry.
void ShowRowInPanel(CTarnLinkCheckDlg& dialog, int row) {
    if (CWnd* pCurrent = dialog.GetDlgItem(IDC_CURRENT_URL))
        pCurrent->SetWindowText(dialog.currentUrlText(row));
    if (CWnd* pNewUrl = dialog.GetDlgItem(IDC_NEW_URL))
        pNewUrl->SetWindowText(u"");
}

}  // namespace

void CTarnLinkCheckDlg::OnChangeUrlRadio() { enableControls(checking); }

void CTarnLinkCheckDlg::OnDeleteLinkRadio() { enableControls(checking); }

void CTarnLinkCheckDlg::OnCopyCurrentUrl() {
    CWnd* pCurrent = GetDlgItem(IDC_CURRENT_URL);
    CWnd* pNewUrl = GetDlgItem(IDC_NEW_URL);
    if (pCurrent != nullptr && pNewUrl != nullptr) {
        CString text;
        pCurrent->GetWindowText(text);
        pNewUrl->SetWindowText(text);
    }
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnGetFromBrowser() {
    CParamEngineer* engineer = CParamEngineer::getInstance();
    if (engineer == nullptr)
        return;
    CStringArray topics;
    engineer->getDDEBrowserTopic(CParamEngineer::BROWSER_DEFAULT, topics);
    Cci browser(topics, nullptr);
    CString url;
    CString title;
    if (!browser.GetWindowInfo(url, title, ALL_WINDOW_INFO))
        return;
    if (CWnd* pNewUrl = GetDlgItem(IDC_NEW_URL))
        pNewUrl->SetWindowText(url);
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnApply() {
    if (checking)
        return;
    const int row = selectedRow();
    if (!isValidRow(row))
        return;
    CWnd* pCurrent = GetDlgItem(IDC_CURRENT_URL);
    if (CTarnLinkCheckItem* item = rowItem(row)) {
        // Saved before anything else is looked at: every Apply, even one that records nothing, is what the
        // next Undo goes back to.
        item->setUndoTexts(listCtrl.GetItemText(row, 1), listCtrl.GetItemText(row, 2));
        if (changeUrlRadio.GetCheck() == BST_CHECKED) {
            CWnd* pNewUrl = GetDlgItem(IDC_NEW_URL);
            CString newUrl;
            if (pNewUrl != nullptr)
                pNewUrl->GetWindowText(newUrl);
            if (newUrl.IsEmpty())
                return;
            item->setNewUrl(newUrl);
            item->fixKind = FIX_CHANGE_URL;
            // After the correction is recorded: the tick veto judges the row by its new URL.
            listCtrl.SetCheck(row, isHttpUrl(newUrl));
            CString marked(u"*");
            marked += newUrl;
            listCtrl.SetItemText(row, 0, marked);
            pNewUrl->SetWindowText(u"");
            if (pCurrent != nullptr)
                pCurrent->SetWindowText(marked);
        } else {
            item->fixKind = FIX_DELETE_LINK;
            CString deleted;
            deleted.LoadString(IDS_LINK_DELETED);
            listCtrl.SetItemText(row, 0, deleted);
            if (pCurrent != nullptr)
                pCurrent->SetWindowText(u"");
            listCtrl.SetCheck(row, FALSE);
        }
        listCtrl.SetItemText(row, 1, u"");
        listCtrl.SetItemText(row, 2, u"");
    }
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnUndo() {
    if (checking)
        return;
    const int row = selectedRow();
    if (row == -1)
        return;
    if (CTarnLinkCheckItem* item = rowItem(row)) {
        const CString url(item->url);
        if (CWnd* pCurrent = GetDlgItem(IDC_CURRENT_URL))
            pCurrent->SetWindowText(url);
        listCtrl.SetItemText(row, 0, url);
        item->newUrl.Empty();
        item->fixKind = FIX_NONE;
        listCtrl.SetItemText(row, 1, item->getUndoResultText());
        listCtrl.SetItemText(row, 2, item->getUndoCodeText());
    }
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnListClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    if (checking)
        return;
    const int row = selectedRow();
    if (!isValidRow(row))
        return;
    if (rowItem(row) != nullptr)
        ShowRowInPanel(*this, row);
    enableControls(checking);
}

// The list moves its selection only after this notification, so the row shown is the one the key is about
// to select.
void CTarnLinkCheckDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if (checking)
        return;
    int row = selectedRow();
    if (!isValidRow(row))
        return;
    switch (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey) {
    case VK_SPACE:
        break;
    case VK_UP:
        if (row > 0)
            --row;
        break;
    case VK_DOWN:
        if (row < listCtrl.GetItemCount() - 1)
            ++row;
        break;
    default:
        return;
    }
    ShowRowInPanel(*this, row);
    enableControls(checking);
}

// Works during a check too: it only moves the editor's cursor, which the worker never touches.
void CTarnLinkCheckDlg::OnListDblClk(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    const int row = selectedRow();
    if (!isValidRow(row))
        return;
    CTarnLinkCheckItem* item = rowItem(row);
    if (item != nullptr && item->selectInSource()) {
        host->notifyUpdate(0, PLUGIN_UPDATE_SOURCE_CURSOR, 0);
        if (hostWnd != nullptr)
            hostWnd->SendMessage(WM_HOST_SOURCE_CURSOR_MOVED, 0, 0);
    }
}
