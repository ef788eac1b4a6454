#pragma once

#include "platform/win/CommandMessages.h"
#include "platform/win/WinTypes.h"

// Notification codes of the common controls, carried in NMHDR::code. They count down from 0, so as UINT
// they sit at the top of the range.

inline constexpr UINT NM_FIRST = 0U;
inline constexpr UINT NM_CLICK = NM_FIRST - 2U;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3U;

inline constexpr UINT LVN_FIRST = 0U - 100U;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0U;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1U;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2U;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3U;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4U;  // a nonzero answer: no LVN_DELETEITEM follows
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8U;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55U;

// The list view ("SysListView32"), report view: rows of texts in columns, a header, check boxes as state
// images 1 (unticked) and 2 (ticked), single selection. Geometry counts cells: the client area lies inside
// the border; its first line is the header and each row takes one line below it.

struct POINT {
    LONG x;
    LONG y;
};

inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_ALIGNLEFT = 0x0800;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;  // wParam: start (-1: from the top), lParam: LVNI_*
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;       // lParam: LVHITTESTINFO*; the row or -1
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;        // wParam: cells right, lParam: rows down (negative: back)
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;  // lParam: cells, or LVSCW_AUTOSIZE(_USEHEADER)
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;  // wParam: row (-1: every row), lParam: LVITEMW*
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;  // wParam: row, lParam: mask
inline constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;     // wParam: the parameter, lParam: PFNLVCOMPARE on item data
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;  // wParam: mask (0: all), lParam: style
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETITEMW = LVM_FIRST + 75;
inline constexpr UINT LVM_SETITEMW = LVM_FIRST + 76;
inline constexpr UINT LVM_INSERTITEMW = LVM_FIRST + 77;
inline constexpr UINT LVM_SORTITEMSEX = LVM_FIRST + 81;  // as LVM_SORTITEMS, the callback gets row indexes
inline constexpr UINT LVM_FINDITEMW = LVM_FIRST + 83;    // wParam: start (-1: from the top), lParam: LVFINDINFOW*
inline constexpr UINT LVM_GETCOLUMNW = LVM_FIRST + 95;
inline constexpr UINT LVM_SETCOLUMNW = LVM_FIRST + 96;
inline constexpr UINT LVM_INSERTCOLUMNW = LVM_FIRST + 97;
inline constexpr UINT LVM_GETITEMTEXTW = LVM_FIRST + 115;  // wParam: row, lParam: LVITEMW* (iSubItem, buffer)
inline constexpr UINT LVM_SETITEMTEXTW = LVM_FIRST + 116;

inline constexpr LPARAM LVSCW_AUTOSIZE = -1;
inline constexpr LPARAM LVSCW_AUTOSIZE_USEHEADER = -2;

inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) { return index << 12; }

inline constexpr LPARAM LVNI_ALL = 0x0000;
inline constexpr LPARAM LVNI_FOCUSED = 0x0001;
inline constexpr LPARAM LVNI_SELECTED = 0x0002;

inline constexpr UINT LVFI_PARAM = 0x0001;
inline constexpr UINT LVFI_STRING = 0x0002;

inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr int LVCFMT_LEFT = 0x0000;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;  // the check box
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

struct LVITEMW {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
using LPLVITEMW = LVITEMW*;

struct LVCOLUMNW {
    UINT mask;
    int fmt;
    int cx;
    LPWSTR pszText;
    int cchTextMax;
    int iSubItem;
};

struct LVFINDINFOW {
    UINT flags;
    LPCWSTR psz;
    LPARAM lParam;
    POINT pt;
    UINT vkDirection;
};

struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};

// lParam1, lParam2: the two rows' item data (LVM_SORTITEMS) or indexes (LVM_SORTITEMSEX); lParamSort: the
// caller's parameter. Negative, zero or positive, as for any comparison; the sort is stable.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_COLUMNCLICK (iSubItem: the column).
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;  // LVIF_* of what changes
    POINT ptAction;
    LPARAM lParam;  // the row's item data
};
using LPNMLISTVIEW = NMLISTVIEW*;

// NM_CLICK, NM_DBLCLK.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};

// LVN_KEYDOWN.
struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
