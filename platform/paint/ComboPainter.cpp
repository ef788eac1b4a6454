#include <algorithm>
#include <string>

#include "platform/win/WinControls.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace paint {

// The closed box on the control's first line: the selected text and a down mark at the right edge; the
// focused box is reversed.
void PaintComboBox(CellGrid& grid, const ControlView& view) {
    const std::uint8_t attrs = view.attrs | (view.focused ? kReverse : 0);
    const CellRect box{view.rect.x, view.rect.y, view.rect.width, 1};
    grid.Fill(box, U' ', attrs);
    grid.Write(box.x, box.y, SafeText(WindowText(view.hwnd), attrs), box.width - 2);
    grid.Put(box.Right() - 1, box.y, U'▼', attrs);
}

// The dropped list below the box, over whatever lies there: one item a line between side bars, the selected
// item reversed, a bottom line under the last item when the list is taller than its items.
void PaintComboList(CellGrid& grid, const ControlView& view) {
    const int lines = std::max(1, view.rect.height - 1);
    const int count = static_cast<int>(std::max<LRESULT>(0, SendMessageW(view.hwnd, CB_GETCOUNT, 0, 0)));
    const int selected = static_cast<int>(SendMessageW(view.hwnd, CB_GETCURSEL, 0, 0));
    const int first = static_cast<int>(std::max<LRESULT>(0, SendMessageW(view.hwnd, CB_GETTOPINDEX, 0, 0)));
    const int x = view.rect.x;
    const int width = view.rect.width;
    for (int line = 0; line < lines; ++line) {
        const int y = view.rect.y + 1 + line;
        const int item = first + line;
        if (item >= count) {
            grid.Fill({x, y, width, 1}, U'─', view.attrs);
            grid.Put(x, y, U'└', view.attrs);
            grid.Put(x + width - 1, y, U'┘', view.attrs);
            break;
        }
        const std::uint8_t attrs = view.attrs | (item == selected ? kReverse : 0);
        grid.Fill({x, y, width, 1}, U' ', attrs);
        grid.Put(x, y, U'│', view.attrs);
        grid.Put(x + width - 1, y, U'│', view.attrs);
        grid.Write(x + 1, y, SafeText(ComboItemText(view.hwnd, item), attrs), width - 2);
    }
}

}  // namespace paint
