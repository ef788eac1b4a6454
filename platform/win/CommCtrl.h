#pragma once

#include "platform/win/WinTypes.h"

// Notification codes of the common controls, carried in NMHDR::code. They count down from 0, so as UINT
// they sit at the top of the range.

inline constexpr UINT NM_FIRST = 0U;
inline constexpr UINT NM_CLICK = NM_FIRST - 2U;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3U;

inline constexpr UINT LVN_FIRST = 0U - 100U;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0U;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1U;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8U;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55U;
