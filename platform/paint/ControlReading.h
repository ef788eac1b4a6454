#pragma once

#include <string>
#include <vector>

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

namespace paint {

// What the painter and the automation read of a window, through window functions and messages only.

// What a window is: its class, and for a button the kind in its style.
enum class ControlKind { PushButton, DefPushButton, CheckBox, Radio, GroupBox, Static, Edit, Combo, List, Other };

WINAPI_EXPORT ControlKind KindOf(HWND hWnd);

// Whether the window itself is shown (WS_VISIBLE), whatever its parent: a dialog's controls are drawn and
// used while the dialog is shown by its front end, whether or not its template made it visible.
WINAPI_EXPORT bool IsShown(HWND hWnd);

// The window's text in full.
WINAPI_EXPORT std::u16string WindowText(HWND hWnd);

// A list view's column: its header text, where it starts (cells from the client's left) and its width.
struct ListColumn {
    std::u16string text;
    int left;
    int width;
};
WINAPI_EXPORT std::vector<ListColumn> ListColumns(HWND list);
// Whether row's check box is ticked (state image 2).
WINAPI_EXPORT bool ListRowTicked(HWND list, int row);

// A combo box's item, in full; empty for an index outside the list.
WINAPI_EXPORT std::u16string ComboItemText(HWND combo, int index);

}  // namespace paint
