#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWnd.h"
#include "platform/win/CommCtrl.h"

// The framework's wrapper of a list view window: every call is a message to m_hWnd, so it works the same on
// a list the object created, attached or took over from a dialog.
class AFX_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    int GetItemCount() const;
    // The new row's index, or -1.
    int InsertItem(int nItem, LPCWSTR lpszItem);
    // The row keeps the string itself, sharing its buffer (as does SetItemText with a CString).
    int InsertItem(int nItem, const CString& strItem);
    int InsertItem(const LVITEMW* pItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    BOOL SetItemText(int nItem, int nSubItem, const CString& strText);
    // Shares the row's buffer: no text is copied.
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    // The check box is state image 2 (ticked) or 1 (unticked); GetCheck gives -1 for a row without one.
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    BOOL GetCheck(int nItem) const;
    UINT GetSelectedCount() const;

    // LVNI_* flags; -1 when no row after nItem fits.
    int GetNextItem(int nItem, int nFlags) const;
    int FindItem(LVFINDINFOW* pFindInfo, int nStart = -1) const;
    // Stable sorts: the comparison gets the rows' item data (SortItems) or their indexes as they were
    // before the sort (SortItemsEx).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // nWidth -1 and nSubItem -1 leave those to the list: a width that shows the heading, the column's index.
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    int GetColumnCount() const;
    BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const;
    int GetColumnWidth(int nCol) const;
    // cx in cells, or LVSCW_AUTOSIZE / LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int nCol, int cx);

    // Replaces the whole extended style; returns the previous one.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;

    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(POINT pt, UINT* pFlags = nullptr) const;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
};
