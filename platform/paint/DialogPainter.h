#pragma once

#include "platform/paint/CellGrid.h"
#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

namespace paint {

// Paints the dialog hDlg into a grid the size of its window rect: the frame with the caption in its top
// line, then its shown children (WS_VISIBLE) in creation order, clipped to its client area, and a dropped combo box's
// list last, over the controls below it. Everything is read through window functions and messages, and
// every window painted is marked clean (ClearWindowDirty).
WINAPI_EXPORT CellGrid PaintDialog(HWND hDlg);

// Where hWnd's client area lies inside its window rect: the frame cells on its left and top.
WINAPI_EXPORT CellRect ClientArea(HWND hWnd);

}  // namespace paint
