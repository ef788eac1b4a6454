#pragma once

#include "platform/win/WinTypes.h"

// The messages by which controls tell their parent what happened, and the word packing they use.

inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_INITDIALOG = 0x0110;
// wParam: HIWORD the notification code, LOWORD the control id; lParam: the control's HWND (null for a
// command that comes from no control).
inline constexpr UINT WM_COMMAND = 0x0111;

// WM_COMMAND notification codes.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT CBN_SELCHANGE = 1;

// What WM_NOTIFY's lParam points at; control-specific notifications extend it.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
using LPNMHDR = NMHDR*;

constexpr WORD LOWORD(UINT_PTR value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(UINT_PTR value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr LONG MAKELONG(UINT_PTR low, UINT_PTR high) {
    return static_cast<LONG>(static_cast<DWORD>(LOWORD(low)) | (static_cast<DWORD>(LOWORD(high)) << 16));
}
constexpr WPARAM MAKEWPARAM(UINT_PTR low, UINT_PTR high) {
    return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high)));
}
