#include "platform/afx/CListCtrl.h"

#include "platform/afx/ListViewMessages.h"


IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

template <typename T>
LPARAM Pointer(T* p) {
    return reinterpret_cast<LPARAM>(p);
}

WPARAM Index(int index) { return static_cast<WPARAM>(static_cast<INT_PTR>(index)); }

}  // namespace

LRESULT CListCtrl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

int CListCtrl::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, const CString& strItem) {
    LVSTRINGITEMW item;
    item.item.mask = LVIF_TEXT;
    item.item.iItem = nItem;
    item.text = strItem;
    return static_cast<int>(Send(LVM_INSERTITEMSTRING, 0, Pointer(&item)));
}

int CListCtrl::InsertItem(const LVITEMW* pItem) {
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, Pointer(pItem)));
}

BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(Send(LVM_DELETEITEM, Index(nItem))); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(Send(LVM_DELETEALLITEMS)); }

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(Send(LVM_SETITEMTEXTW, Index(nItem), Pointer(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const CString& strText) {
    LVSTRINGITEMW item;
    item.item.iSubItem = nSubItem;
    item.text = strText;
    return static_cast<BOOL>(Send(LVM_SETITEMSTRING, Index(nItem), Pointer(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    LVSTRINGITEMW item;
    item.item.iSubItem = nSubItem;
    Send(LVM_GETITEMSTRING, Index(nItem), Pointer(&item));
    return item.text;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return static_cast<BOOL>(Send(LVM_SETITEMW, 0, Pointer(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return Send(LVM_GETITEMW, 0, Pointer(&item)) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEMW item{};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(Send(LVM_SETITEMSTATE, Index(nItem), Pointer(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, Index(nItem), static_cast<LPARAM>(nMask)));
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int nItem) const {
    return static_cast<BOOL>(GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1;
}

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(Send(LVM_GETSELECTEDCOUNT)); }

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, Index(nItem), static_cast<LPARAM>(nFlags)));
}

int CListCtrl::FindItem(LVFINDINFOW* pFindInfo, int nStart) const {
    return static_cast<int>(Send(LVM_FINDITEMW, Index(nStart), Pointer(pFindInfo)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return static_cast<BOOL>(Send(LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
}

BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return static_cast<BOOL>(Send(LVM_SORTITEMSEX, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.fmt = nFormat;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, Index(nCol), Pointer(&column)));
}

BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(Send(LVM_DELETECOLUMN, Index(nCol))); }

int CListCtrl::GetColumnCount() const { return static_cast<int>(Send(LVM_GETCOLUMNCOUNT)); }

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNW* pColumn) const {
    return static_cast<BOOL>(Send(LVM_GETCOLUMNW, Index(nCol), Pointer(pColumn)));
}

int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, Index(nCol))); }

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    return static_cast<BOOL>(Send(LVM_SETCOLUMNWIDTH, Index(nCol), static_cast<LPARAM>(cx)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
    return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, Index(nItem), static_cast<LPARAM>(bPartialOK)));
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
    return static_cast<int>(Send(LVM_HITTEST, 0, Pointer(pHitTestInfo)));
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const {
    LVHITTESTINFO info{};
    info.pt = pt;
    const int row = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return row;
}
