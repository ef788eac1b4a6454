#pragma once

#include "platform/paint/CellGrid.h"
#include "platform/win/WinTypes.h"

namespace tui {

// The cells a control covers in its dialog's painted grid; a closed combo box is its one line.
paint::CellRect ControlCells(HWND hDlg, HWND control);

// The dialog's shown control under the cell (x, y) of its painted grid, as the mouse finds it: a dropped
// combo box's list first, then the controls painted last; group boxes let the mouse through. Null when none.
HWND ControlAt(HWND hDlg, int x, int y);

}  // namespace tui
