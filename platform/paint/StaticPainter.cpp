#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace paint {

// A static text on its first line, cut to its width. A sunken one is boxed when it has frame cells, and
// otherwise underlined across its whole width so its extent shows even when it is empty.
void PaintStatic(CellGrid& grid, const ControlView& view) {
    const bool sunken = (view.style & SS_SUNKEN) != 0 ||
                        (GetWindowLongW(view.hwnd, GWL_EXSTYLE) & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE)) != 0;
    grid.Fill(view.rect, U' ', view.attrs);
    if (view.HasFrame())
        DrawBox(grid, view.rect, view.attrs);
    const CellRect line{view.client.x, view.client.y, view.client.width, 1};
    const std::uint8_t attrs = view.attrs | (sunken && !view.HasFrame() ? kUnderline : 0);
    grid.Fill(line, U' ', attrs);
    grid.Write(line.x, line.y, Label(WindowText(view.hwnd), attrs, (view.style & SS_NOPREFIX) == 0), line.width);
}

}  // namespace paint
