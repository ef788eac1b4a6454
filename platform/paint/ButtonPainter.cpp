#include <algorithm>

#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace paint {

// A push button: "[ Label ]" across its width, the label centred; the default button "< Label >" in bold.
// The focused button's face is reversed. A label too long for the spaces inside the marks goes without them.
void PaintButton(CellGrid& grid, const ControlView& view, bool isDefault) {
    const std::uint8_t attrs = view.attrs | (isDefault ? kBold : 0) | (view.focused ? kReverse : 0);
    const int row = view.TextRow();
    const CellRect face{view.rect.x, row, view.rect.width, 1};
    grid.Fill(face, U' ', attrs);
    if (view.rect.width >= 2) {
        grid.Put(face.x, row, isDefault ? U'<' : U'[', attrs);
        grid.Put(face.Right() - 1, row, isDefault ? U'>' : U']', attrs);
    }
    const StyledText label = Label(WindowText(view.hwnd), attrs, true);
    const int padding = StyledCells(label) <= view.rect.width - 4 ? 2 : 1;  // the mark, and a space inside it
    const int room = view.rect.width - 2 * padding;
    if (room < 1)
        return;
    const int cells = std::min(StyledCells(label), room);
    grid.Write(face.x + padding + (room - cells) / 2, row, label, room);
}

// "[x] Label" for a check box ("[-]" indeterminate), "(*) Label" for a radio button; the focused one's label
// is reversed.
void PaintCheckBox(CellGrid& grid, const ControlView& view, bool radio) {
    const int row = view.TextRow();
    grid.Fill({view.rect.x, row, view.rect.width, 1}, U' ', view.attrs);
    const LRESULT check = SendMessageW(view.hwnd, BM_GETCHECK, 0, 0);
    const char32_t mark = check == BST_CHECKED ? (radio ? U'*' : U'x') : check == BST_INDETERMINATE ? U'-' : U' ';
    const StyledText box{{radio ? U'(' : U'[', view.attrs}, {mark, view.attrs}, {radio ? U')' : U']', view.attrs}};
    grid.Write(view.rect.x, row, box, view.rect.width);
    const StyledText label = Label(WindowText(view.hwnd), view.attrs | (view.focused ? kReverse : 0), true);
    grid.Write(view.rect.x + 4, row, label, view.rect.width - 4);
}

void PaintGroupBox(CellGrid& grid, const ControlView& view) {
    DrawBox(grid, view.rect, view.attrs, Label(WindowText(view.hwnd), view.attrs, true));
}

}  // namespace paint
