#pragma once

#include <cstdint>

#include "platform/paint/CellGrid.h"
#include "platform/win/WinTypes.h"

namespace paint {

// A control as it is about to be painted: where it is in the grid and what the window functions said
// about it. The grid's clip already limits drawing to the control's rect within the dialog.
struct ControlView {
    HWND hwnd;
    CellRect rect;    // the window rect, in grid cells
    CellRect client;  // the client area, in grid cells (inside the frame cells when the control has them)
    DWORD style;
    bool enabled;
    bool focused;
    std::uint8_t attrs;  // kDim for a disabled control, else none

    bool HasFrame() const { return client.width < rect.width; }
    // The row a one-line control draws on: its first, or its middle when it is three rows or taller.
    int TextRow() const { return rect.height >= 3 ? rect.y + rect.height / 2 : rect.y; }
};

void PaintButton(CellGrid& grid, const ControlView& view, bool isDefault);
void PaintCheckBox(CellGrid& grid, const ControlView& view, bool radio);
void PaintGroupBox(CellGrid& grid, const ControlView& view);
void PaintStatic(CellGrid& grid, const ControlView& view);
void PaintEdit(CellGrid& grid, const ControlView& view);
// The closed box; PaintComboList draws the dropped list, after every other control, over them.
void PaintComboBox(CellGrid& grid, const ControlView& view);
void PaintComboList(CellGrid& grid, const ControlView& view);
void PaintListView(CellGrid& grid, const ControlView& view);

}  // namespace paint
