#pragma once

#include "platform/listview/RowTable.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinUser.h"

#include <string>
#include <string_view>
#include <vector>

namespace listview {

struct Column {
    std::u16string text;
    int width = 0;
    int fmt = LVCFMT_LEFT;
    int subItem = 0;
};

// What a change of a row's main item asks for: the LVIF_* bits in `mask` say which of state (under
// stateMask), data and text it sets.
struct ItemChange {
    UINT mask = 0;
    UINT state = 0;
    UINT stateMask = 0;
    LPARAM data = 0;
    CString text;
};

// Every code unit of a row's text.
inline std::u16string_view TextView(const CString& text) {
    return std::u16string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

inline ItemChange StateChange(UINT state, UINT stateMask) {
    ItemChange change;
    change.mask = LVIF_STATE;
    change.state = state;
    change.stateMask = stateMask;
    return change;
}

// A list view window's own data and behaviour, made on WM_CREATE and kept in GWLP_USERDATA. Every change of
// a row's main item goes through ChangeItem, which asks the parent first (LVN_ITEMCHANGING) and tells it
// after (LVN_ITEMCHANGED). The parent's answer to a notification may do anything to the list, destroying
// it included: after each notification the code looks at the row again by index, and stops when the window
// died (the object lives until its message handling has unwound).
class ListView {
public:
    // A child window's parent and id cannot change, so they are taken once for the many notifications.
    explicit ListView(HWND hWnd)
        : m_hWnd(hWnd), m_parent(GetParent(hWnd)), m_id(static_cast<UINT_PTR>(GetDlgCtrlID(hWnd))) {}

    bool Destroyed() const { return m_destroyed; }
    void MarkDestroyed() { m_destroyed = true; }
    // How many messages of the window are being handled (nested through notifications); the object may be
    // freed only when none is.
    int& Depth() { return m_depth; }

    // Items (ListView.cpp).
    // LVIF_TEXT in item.mask takes `text` as the main item's text.
    int InsertItem(const LVITEMW& item, CString text);
    bool DeleteItem(int row);
    bool DeleteAllItems();
    bool SetItem(const LVITEMW& item);
    bool GetItem(LVITEMW& item) const;
    bool SetItemText(int row, int subItem, CString text);
    int GetItemText(int row, LVITEMW& item) const;
    // The row's text in column subItem, or null when there is no such row.
    const CString* ItemString(int row, int subItem) const;
    // Row -1 sets every row, each with its own notifications.
    bool SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    int GetNextItem(int start, LPARAM flags);
    int FindItem(int start, const LVFINDINFOW& find);
    bool Sort(PFNLVCOMPARE compare, LPARAM param, bool byIndex);
    int Count() const { return m_rows.Count(); }
    int SelectedCount() const { return m_rows.SelectedCount(); }
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    DWORD ExtendedStyle() const { return m_exStyle; }

    // Columns and their widths (ListViewColumns.cpp).
    int InsertColumn(int at, const LVCOLUMNW& column);
    bool SetColumn(int index, const LVCOLUMNW& column);
    bool GetColumn(int index, LVCOLUMNW& column) const;
    bool DeleteColumn(int index);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int GetColumnWidth(int index) const;
    bool SetColumnWidth(int index, LPARAM width);

    // Scrolling and geometry (ListViewLayout.cpp). A report view narrower than its columns scrolls sideways:
    // m_left cells of the columns lie before the client's left edge (the window's SB_HORZ position).
    int TopIndex() const { return m_top; }
    int CountPerPage() const;
    bool EnsureVisible(int row);
    bool Scroll(int cells, int rows);
    // Scrolls sideways to the next column edge to the right (or, `back`, the left) of the view's.
    void ScrollToColumn(bool back);
    void ClampTop();
    // Keeps the top row and the sideways position within what the client shows.
    void ClampScroll();
    // LVM_HITTEST: the row at the client point, its column and the LVHT_* part.
    int HitTest(LVHITTESTINFO& info) const;
    bool GetItemRect(int row, RECT& rect) const;

    // The user (ListViewInput.cpp).
    void OnButtonDown(LPARAM point, bool doubleClick);
    void OnKeyDown(WORD key);
    void OnWheel(int delta);

    // Sends a notification to the parent with the header filled in; its answer.
    LRESULT Notify(NMHDR& header, UINT code);
    void Redraw() const { InvalidateRect(m_hWnd, nullptr, FALSE); }

private:
    bool ChangeItem(int row, ItemChange change);
    // Takes the `bits` (LVIS_SELECTED, LVIS_FOCUSED) from every row but `row`, each with its notifications;
    // returns the bits that some other row still holds (its parent vetoed).
    UINT TakeFromOthers(int row, UINT bits);
    // Sets the state (and what `rest` changes besides) of one row, taking a focus or single selection it gains
    // from the others first.
    bool SetOneItemState(int row, UINT state, UINT mask, const ItemChange* rest);
    void UserSelect(int row);
    void UserClearSelection();
    bool ToggleCheck(int row);
    void NotifyItem(UINT code, int row, int subItem);
    void NotifyActivate(UINT code, int row, int subItem, LPARAM point);
    bool SingleSelection() const;
    bool CheckBoxes() const { return (m_exStyle & LVS_EX_CHECKBOXES) != 0; }
    int CellWidth(int row, int column) const;
    // The column under client cell x (scrolling included); -1 when none.
    int ColumnAt(int x) const;
    int TotalWidth() const;
    int ClientWidth() const;
    void SetLeft(int left);

    HWND m_hWnd;
    HWND m_parent;
    UINT_PTR m_id;
    bool m_destroyed = false;
    int m_depth = 0;
    RowTable m_rows;
    std::vector<Column> m_columns;
    DWORD m_exStyle = 0;
    int m_top = 0;
    int m_left = 0;
};

}  // namespace listview
