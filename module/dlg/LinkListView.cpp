#include "module/dlg/CTarnLinkCheckDlg.h"

#include "module/links/CTarnLinkCheckItems.h"
#include "module/res/resource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The link list view and its filter: the rows, the ticks and which controls the dialog enables.

namespace {

constexpr UINT UNTICKED = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT TICKED = INDEXTOSTATEIMAGEMASK(2);

// Header string and share of the list's width, by column.
struct ColumnSpec {
    UINT header;
    int percent;
};
constexpr ColumnSpec COLUMNS[] = {
    {IDS_COLUMN_URL, 40},  {IDS_COLUMN_RESULT, 12}, {IDS_COLUMN_CODE, 12},
    {IDS_COLUMN_TEXT, 19}, {IDS_COLUMN_TAG, 8},     {IDS_COLUMN_ATTR, 9},
};

bool StartsWithIgnoringCase(const CString& text, const char16_t* prefix) {
    int i = 0;
    for (; prefix[i] != u'\0'; ++i) {
        if (i >= text.GetLength())
            return false;
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// Ordinal comparison by UTF-16 code unit. Texts in a column often share long beginnings (a site's URLs),
// so equal stretches are passed over four units at a time.
int CompareCodeUnits(const CString& first, const CString& second) {
    const char16_t* a = first.GetString();
    const char16_t* b = second.GetString();
    const std::size_t lengthA = static_cast<std::size_t>(first.GetLength());
    const std::size_t lengthB = static_cast<std::size_t>(second.GetLength());
    const std::size_t common = std::min(lengthA, lengthB);
    std::size_t i = 0;
    for (; i + 4 <= common; i += 4) {
        std::uint64_t wordA;
        std::uint64_t wordB;
        std::memcpy(&wordA, a + i, sizeof wordA);
        std::memcpy(&wordB, b + i, sizeof wordB);
        if (wordA != wordB)
            break;
    }
    for (; i < common; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

}  // namespace

void CTarnLinkCheckDlg::insertColumns() {
    RECT client;
    listCtrl.GetClientRect(&client);
    const int width = client.right - client.left;
    int index = 0;
    for (const ColumnSpec& column : COLUMNS) {
        CString header;
        header.LoadString(column.header);
        listCtrl.InsertColumn(index++, header, LVCFMT_LEFT, width * column.percent / 100);
    }
}

CTarnLinkCheckItem* CTarnLinkCheckDlg::rowItem(int row) {
    return reinterpret_cast<CTarnLinkCheckItem*>(listCtrl.GetItemData(row));
}

int CTarnLinkCheckDlg::selectedRow() { return listCtrl.GetNextItem(-1, LVNI_SELECTED); }

void CTarnLinkCheckDlg::fillList(BOOL errorsOnly) {
    int row = 0;
    for (int index = 0; index < linkList->getCount(); ++index) {
        CTarnLinkCheckItem* item = linkList->getItem(index);
        if (item == nullptr)
            continue;
        if (errorsOnly) {
            CString linkError;
            linkError.LoadString(IDS_LINK_ERROR);
            if (item->resultText != linkError)
                continue;
        }
        listCtrl.InsertItem(row, item->fixKind != FIX_NONE ? item->urlText : CString(item->url));
        listCtrl.SetItemText(row, 1, item->resultText);
        listCtrl.SetItemText(row, 2, item->codeText);
        listCtrl.SetItemText(row, 3, CString(item->text));
        listCtrl.SetItemText(row, 4, CString(item->tagName));
        listCtrl.SetItemText(row, 5, CString(item->attrName));
        listCtrl.SetItemData(row, reinterpret_cast<DWORD_PTR>(item));
        listCtrl.SetCheck(row, item->checkMark != 0);
        ++row;
    }
}

void CTarnLinkCheckDlg::saveRowsToItems() {
    const int count = listCtrl.GetItemCount();
    for (int row = 0; row < count; ++row) {
        CTarnLinkCheckItem* item = rowItem(row);
        if (item == nullptr)
            continue;
        item->checkMark = listCtrl.GetCheck(row) ? 1 : 0;
        item->resultText = listCtrl.GetItemText(row, 1);
        item->codeText = listCtrl.GetItemText(row, 2);
        item->urlText = listCtrl.GetItemText(row, 0);
    }
}

BOOL CTarnLinkCheckDlg::isValidRow(int row) { return row >= 0 && row < listCtrl.GetItemCount(); }

BOOL CTarnLinkCheckDlg::hasRows() { return listCtrl.GetItemCount() > 0; }

// The search starts at the row found ticked last time and wraps around: the controls are enabled after
// every tick change, and when the rows are unticked one after another (Clear), a search from the top would
// pass over every row already unticked, each time.
BOOL CTarnLinkCheckDlg::hasTickedRow() {
    const int count = listCtrl.GetItemCount();
    if (count == 0)
        return FALSE;
    const int start = tickedRowHint_ < count ? tickedRowHint_ : 0;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (listCtrl.GetCheck(row)) {
            tickedRowHint_ = row;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CTarnLinkCheckDlg::canTickRow(int row) {
    if (!isValidRow(row))
        return FALSE;
    CTarnLinkCheckItem* item = rowItem(row);
    if (item == nullptr)
        return FALSE;
    if (item->fixKind == FIX_NONE)
        return TRUE;
    return item->fixKind == FIX_CHANGE_URL && isHttpUrl(CString(item->newUrl));
}

// A new URL can be checked when the checker can ask for it: http and https alike, in any case.
BOOL CTarnLinkCheckDlg::isHttpUrl(const CString& text) {
    return StartsWithIgnoringCase(text, u"http://") || StartsWithIgnoringCase(text, u"https://");
}

CString CTarnLinkCheckDlg::currentUrlText(int row) {
    if (!isValidRow(row))
        return CString();
    CTarnLinkCheckItem* item = rowItem(row);
    if (item == nullptr)
        return CString();
    switch (item->fixKind) {
    case FIX_CHANGE_URL:
        return CString(item->newUrl);
    case FIX_DELETE_LINK:
        return CString();
    default:
        return CString(item->url);
    }
}

BOOL CTarnLinkCheckDlg::selectedRowHasUrl() { return !currentUrlText(selectedRow()).IsEmpty(); }

BOOL CTarnLinkCheckDlg::selectedRowHasFix() {
    const int row = selectedRow();
    if (!isValidRow(row))
        return FALSE;
    CTarnLinkCheckItem* item = rowItem(row);
    return item != nullptr && item->fixKind != FIX_NONE;
}

BOOL CTarnLinkCheckDlg::canEditNewUrl() {
    return selectedRowHasUrl() && changeUrlRadio.GetCheck() == BST_CHECKED;
}

void CTarnLinkCheckDlg::enableControls(BOOL checkingState) {
    const BOOL idle = !checkingState;
    // The queries do not change while the controls are switched, so each is asked once.
    const BOOL rows = idle && hasRows();
    const BOOL hasUrl = idle && selectedRowHasUrl();
    const BOOL canEdit = hasUrl && changeUrlRadio.GetCheck() == BST_CHECKED;
    const BOOL hasFix = idle && selectedRowHasFix();
    auto enable = [this](int id, BOOL on) {
        if (CWnd* pCtl = GetDlgItem(id))
            pCtl->EnableWindow(on);
    };
    enable(IDC_START, idle && !checking && hasTickedRow());
    enable(IDC_STOP, checkingState);
    enable(IDC_SELECT_ALL, rows);
    enable(IDC_CLEAR_ALL, rows);
    enable(IDC_GET_FROM_BROWSER, canEdit);
    enable(IDC_COPY_CURRENT_URL, canEdit);
    enable(IDC_APPLY, hasUrl);
    enable(IDC_UNDO, hasFix);
    enable(IDC_NEW_URL, canEdit);
    enable(IDC_CHANGE_URL_RADIO, hasUrl);
    enable(IDC_DELETE_LINK_RADIO, hasUrl);
    enable(IDOK, idle);
    enable(IDCANCEL, idle);
    if (filterCombo.GetSafeHwnd() != nullptr)
        filterCombo.EnableWindow(idle);
}

void CTarnLinkCheckDlg::setChecking(BOOL checkingState) {
    checking = checkingState;
    enableControls(checkingState);
}

void CTarnLinkCheckDlg::OnFilterChange() {
    saveRowsToItems();
    listReady = FALSE;
    listCtrl.DeleteAllItems();
    fillList(filterCombo.GetCurSel() == 1);
    enableControls(FALSE);
    deleteLinkRadio.SetCheck(BST_UNCHECKED);
    changeUrlRadio.SetCheck(BST_CHECKED);
    if (CWnd* pCurrent = GetDlgItem(IDC_CURRENT_URL))
        pCurrent->SetWindowText(u"");
    if (CWnd* pNewUrl = GetDlgItem(IDC_NEW_URL))
        pNewUrl->SetWindowText(u"");
    listReady = TRUE;
}

void CTarnLinkCheckDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    sortAscending = column != sortColumn ? TRUE : !sortAscending;
    sortColumn = column;
    // While a run goes on every pair compares equal and nothing moves: the texts are not needed.
    if (!checking) {
        const int count = listCtrl.GetItemCount();
        sortTexts_.clear();
        sortTexts_.reserve(static_cast<std::size_t>(count));
        for (int row = 0; row < count; ++row)
            sortTexts_.push_back(listCtrl.GetItemText(row, sortColumn));
    }
    listCtrl.SortItemsEx(&CTarnLinkCheckDlg::compareRows, reinterpret_cast<DWORD_PTR>(this));
    sortTexts_.clear();
    sortTexts_.shrink_to_fit();
    enableControls(checking);
    *pResult = 0;
}

// The list sorts by row index (the indexes the rows had before the sort), stably: rows that compare equal
// keep their order. Texts compare by UTF-16 code unit, with case, without locale.
int CTarnLinkCheckDlg::compareRows(LPARAM item1, LPARAM item2, LPARAM dialog) {
    auto* self = reinterpret_cast<CTarnLinkCheckDlg*>(dialog);
    if (self == nullptr || self->checking)
        return 0;
    const auto& texts = self->sortTexts_;
    if (item1 < 0 || item2 < 0 || static_cast<std::size_t>(std::max(item1, item2)) >= texts.size())
        return 0;
    const int order =
        CompareCodeUnits(texts[static_cast<std::size_t>(item1)], texts[static_cast<std::size_t>(item2)]);
    return self->sortAscending ? order : -order;
}

void CTarnLinkCheckDlg::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = FALSE;
    if (!listReady || checking || pNMHDR == nullptr)
        return;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (change->uChanged != LVIF_STATE)
        return;
    const bool ticking = (change->uNewState & LVIS_STATEIMAGEMASK) == TICKED &&
                         (change->uOldState & LVIS_STATEIMAGEMASK) == UNTICKED;
    if (ticking && !canTickRow(change->iItem))
        *pResult = TRUE;
}

void CTarnLinkCheckDlg::OnItemChanged(NMHDR*, LRESULT* pResult) {
    if (listReady && !checking)
        enableControls(FALSE);
    *pResult = 0;
}

void CTarnLinkCheckDlg::OnSelectAll() {
    const int count = listCtrl.GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (rowItem(row) != nullptr && canTickRow(row))
            listCtrl.SetCheck(row, TRUE);
    }
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnClearAll() {
    const int count = listCtrl.GetItemCount();
    for (int row = 0; row < count; ++row)
        listCtrl.SetCheck(row, FALSE);
    enableControls(checking);
}
