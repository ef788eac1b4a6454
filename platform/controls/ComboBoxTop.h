#pragma once

#include "platform/win/WinTypes.h"

// The first item a dropped combo box list shows (on line 1 of the combo box): the painter draws from it
// and a front end turns a line into an item with it. Same number as on Windows.
inline constexpr UINT CB_GETTOPINDEX = 0x015B;
