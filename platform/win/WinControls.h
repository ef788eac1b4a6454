#pragma once

#include "platform/win/WinTypes.h"

// Styles, messages and notifications of the standard controls: buttons (push, default push, radio, check
// box, group box), static texts, single-line edit boxes and drop-down-list combo boxes.

// Buttons ("Button"). The low four style bits are the kind.
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_CHECKBOX = 0x2;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x3;
inline constexpr DWORD BS_RADIOBUTTON = 0x4;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_TYPEMASK = 0xF;

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;  // wParam: BST_*; sends nothing
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;
inline constexpr UINT BM_SETSTYLE = 0x00F4;  // wParam: the new kind bits (default push or push)
inline constexpr UINT BM_CLICK = 0x00F5;     // a user's click: checks an auto button, then BN_CLICKED

inline constexpr WPARAM BST_UNCHECKED = 0x0;
inline constexpr WPARAM BST_CHECKED = 0x1;
inline constexpr WPARAM BST_INDETERMINATE = 0x2;
inline constexpr WPARAM BST_PUSHED = 0x4;
inline constexpr WPARAM BST_FOCUS = 0x8;

// Static texts ("Static").
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_NOPREFIX = 0x0080;  // '&' is shown, not taken as a mnemonic
inline constexpr DWORD SS_SUNKEN = 0x1000;

// Edit boxes ("Edit"): single line only.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;

inline constexpr UINT EM_GETSEL = 0x00B0;  // LOWORD: start, HIWORD: end; the caret sits at the end
inline constexpr UINT EM_SETSEL = 0x00B1;  // wParam: start, lParam: end (-1: the end of the text)
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;  // single line: the first visible character
inline constexpr UINT EM_LIMITTEXT = 0x00C5;

inline constexpr UINT EN_CHANGE = 0x0300;  // WM_COMMAND from an edit box whose text the user changed

// Combo boxes ("ComboBox"): drop-down lists only.
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_SORT = 0x0100;

inline constexpr UINT CB_ADDSTRING = 0x0143;        // lParam: LPCWSTR; sorted under CBS_SORT; the index
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;        // wParam: index, lParam: buffer; the length
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;     // wParam: index (-1: the end), never sorted
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_SETCURSEL = 0x014E;        // sends nothing
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
// The first item a dropped list shows (on line 1 of the combo box): the painter draws from it and a
// front end turns a line into an item with it.
inline constexpr UINT CB_GETTOPINDEX = 0x015B;

inline constexpr LRESULT CB_ERR = -1;

// CBN_SELCHANGE is in CommandMessages.h with BN_CLICKED.
inline constexpr UINT CBN_DROPDOWN = 7;
inline constexpr UINT CBN_CLOSEUP = 8;
