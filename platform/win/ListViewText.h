#pragma once

#include <cstddef>
#include <string>

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// A list view's cell as any window reads it, with LVM_GETITEMTEXTW: the one reader of the painter, the
// host's checker and the program. The list answers how much it copied, not how long the text is, so a
// full buffer is asked again with more room, up to kListViewTextLimit units; a longer text comes back cut
// there, so no list can make its reader grow without bound.
inline constexpr std::size_t kListViewTextLimit = std::size_t{1} << 24;

// The text of the cell at `row` and `column`; empty for a cell or row that does not exist.
WINAPI_EXPORT std::u16string ListViewText(HWND list, int row, int column);
