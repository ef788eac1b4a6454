#include "module/dlg/CTarnLinkCheckDlg.h"

#include "module/links/CTarnLinkCheckItems.h"
#include "module/res/resource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

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
// In the order the dialog's face gives its columns.
static_assert(std::size(COLUMNS) == linkcheck::COLUMN_COUNT && COLUMNS[linkcheck::COLUMN_URL].header == IDS_COLUMN_URL &&
              COLUMNS[linkcheck::COLUMN_RESULT].header == IDS_COLUMN_RESULT &&
              COLUMNS[linkcheck::COLUMN_CODE].header == IDS_COLUMN_CODE &&
              COLUMNS[linkcheck::COLUMN_TEXT].header == IDS_COLUMN_TEXT &&
              COLUMNS[linkcheck::COLUMN_TAG].header == IDS_COLUMN_TAG &&
              COLUMNS[linkcheck::COLUMN_ATTR].header == IDS_COLUMN_ATTR);

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
    // Shared texts (tags, attributes, results, codes) are mostly the very same buffer.
    if (a == b)
        return 0;
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
    CString linkError;
    linkError.LoadString(IDS_LINK_ERROR);
    int row = 0;
    for (int index = 0; index < linkList->getCount(); ++index) {
        CTarnLinkCheckItem* item = linkList->getItem(index);
        if (item == nullptr)
            continue;
        if (errorsOnly && item->resultText != linkError)
            continue;
        // The rows share the items' strings: no text is copied.
        listCtrl.InsertItem(row, item->fixKind != FIX_NONE ? item->urlText : item->url);
        listCtrl.SetItemText(row, 1, item->resultText);
        listCtrl.SetItemText(row, 2, item->codeText);
        listCtrl.SetItemText(row, 3, item->text);
        listCtrl.SetItemText(row, 4, item->tagName);
        listCtrl.SetItemText(row, 5, item->attrName);
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
    return item->fixKind == FIX_CHANGE_URL && isHttpUrl(item->newUrl);
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
        return item->newUrl;
    case FIX_DELETE_LINK:
        return CString();
    default:
        return item->url;
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
    // The comparison reads the texts where the items keep them, with no copy of the column. The texts of
    // columns 0 to 2 change in the rows, so for those the items first take the rows' texts (sharing their
    // buffers), as saveRowsToItems would. While a run goes on every pair compares equal: no text is needed.
    if (!checking && sortColumn >= 0 && sortColumn <= 2) {
        const int count = listCtrl.GetItemCount();
        for (int row = 0; row < count; ++row) {
            if (CString* saved = itemText(rowItem(row), sortColumn))
                *saved = listCtrl.GetItemText(row, sortColumn);
        }
    }
    listCtrl.SortItems(&CTarnLinkCheckDlg::compareRows, reinterpret_cast<DWORD_PTR>(this));
    enableControls(checking);
    *pResult = 0;
}

// Where an item keeps the text its row shows in `column`: columns 0 to 2 as saveRowsToItems saved them.
CString* CTarnLinkCheckDlg::itemText(CTarnLinkCheckItem* item, int column) {
    if (item == nullptr)
        return nullptr;
    switch (column) {
    case 0:
        return &item->urlText;
    case 1:
        return &item->resultText;
    case 2:
        return &item->codeText;
    case 3:
        return &item->text;
    case 4:
        return &item->tagName;
    case 5:
        return &item->attrName;
    default:
        return nullptr;
    }
}

// The list sorts by item data, stably: rows that compare equal keep their order. Texts compare by UTF-16
// code unit, with case, without locale; a row without item data reads as empty.
int CTarnLinkCheckDlg::compareRows(LPARAM item1, LPARAM item2, LPARAM dialog) {
    auto* self = reinterpret_cast<CTarnLinkCheckDlg*>(dialog);
    if (self == nullptr || self->checking)
        return 0;
    static const CString none;
    const CString* first = itemText(reinterpret_cast<CTarnLinkCheckItem*>(item1), self->sortColumn);
    const CString* second = itemText(reinterpret_cast<CTarnLinkCheckItem*>(item2), self->sortColumn);
    const int order = CompareCodeUnits(first != nullptr ? *first : none, second != nullptr ? *second : none);
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

// All and Clear change the ticks as a refill does, with listReady FALSE: only eligible rows are ticked, so
// there is nothing to refuse, and the controls are enabled once at the end rather than after every row.
void CTarnLinkCheckDlg::OnSelectAll() {
    const BOOL ready = listReady;
    listReady = FALSE;
    const int count = listCtrl.GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (rowItem(row) != nullptr && canTickRow(row))
            listCtrl.SetCheck(row, TRUE);
    }
    listReady = ready;
    enableControls(checking);
}

void CTarnLinkCheckDlg::OnClearAll() {
    const BOOL ready = listReady;
    listReady = FALSE;
    const int count = listCtrl.GetItemCount();
    for (int row = 0; row < count; ++row)
        listCtrl.SetCheck(row, FALSE);
    listReady = ready;
    enableControls(checking);
}
