#pragma once

#include "platform/afx/CString.h"
#include "platform/win/CommCtrl.h"

// Messages of our list view beyond the common set. They carry framework strings, so they are declared with
// the framework, which CListCtrl sends them from; the list view answers them. The header is part of the list
// view here, so the number of columns is asked of the list itself.

// The number of columns. wParam and lParam are not used.
inline constexpr UINT LVM_GETCOLUMNCOUNT = LVM_FIRST + 0x100;

// A row's text as a framework string: the row keeps the string itself, sharing its buffer with the caller's
// (a list of 100 000 links would otherwise hold a second copy of every URL). `item` is read as for the
// common messages; its pszText is not used.
struct LVSTRINGITEMW {
    LVITEMW item{};
    CString text;
};

// LVM_INSERTITEMW with `text` as the main item's text. wParam is not used; lParam: LVSTRINGITEMW*.
inline constexpr UINT LVM_INSERTITEMSTRING = LVM_FIRST + 0x101;
// LVM_SETITEMTEXTW with `text`, with the same notifications. wParam: the row; lParam: LVSTRINGITEMW*.
inline constexpr UINT LVM_SETITEMSTRING = LVM_FIRST + 0x102;
// Sets `text` to the text of the row's column item.iSubItem (empty when it has none); FALSE when the row does
// not exist. wParam: the row; lParam: LVSTRINGITEMW*.
inline constexpr UINT LVM_GETITEMSTRING = LVM_FIRST + 0x103;
