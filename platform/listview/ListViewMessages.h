#pragma once

#include "platform/win/CommCtrl.h"

// Messages of our list view beyond the common set. The header is part of the list view here, so the
// number of columns is asked of the list itself.

// The number of columns. wParam and lParam are not used.
inline constexpr UINT LVM_GETCOLUMNCOUNT = LVM_FIRST + 0x100;
