#include <algorithm>
#include <string>
#include <vector>

#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/WinUser.h"

namespace paint {

namespace {

// A scroll bar on the frame's edge, along `track` (one cell across): its thumb's place and length follow
// what is shown (from `first`, `shown` of `count` rows or cells).
void DrawScrollBar(CellGrid& grid, const CellRect& track, int first, int shown, int count, std::uint8_t attrs) {
    const bool across = track.height == 1;
    const int length = across ? track.width : track.height;
    if (length <= 0)
        return;
    const int thumb = std::clamp(static_cast<int>(static_cast<long long>(length) * shown / count), 1, length);
    const int range = count - shown;
    // The thumb's place in proportion to the first shown, rounded to the nearest cell.
    const long long travel = length - thumb;
    const int at = std::clamp(range > 0 ? static_cast<int>((2 * travel * first + range) / (2LL * range)) : 0, 0,
                              length - thumb);
    grid.Fill(track, U'░', attrs);
    grid.Fill(across ? CellRect{track.x + at, track.y, thumb, 1} : CellRect{track.x, track.y + at, 1, thumb}, U'█',
              attrs);
}

}  // namespace

// The report view: the header on the client's first line, then one row a line from the top index, the
// columns from the list's sideways scroll position. Column text starts one cell after the column's left edge
// (the edge shows a bar from the second column on); with check boxes, column 0 starts with "[x]" or "[ ]" and
// its text at cell 4. The selected row is reversed across the client width; the focused list's frame is bold.
// Only the rows shown are asked for.
void PaintListView(CellGrid& grid, const ControlView& view) {
    const HWND list = view.hwnd;
    grid.Fill(view.rect, U' ', view.attrs);
    if (view.HasFrame())
        DrawBox(grid, view.rect, view.attrs | (view.focused ? kBold : 0));
    const CellRect client = view.client;
    if (client.height <= 0 || client.width <= 0)
        return;
    const CellRect clip = grid.Clip();
    grid.SetClip(Intersect(clip, client));

    std::vector<ListColumn> columns = ListColumns(list);
    const int scrolled = GetScrollPos(list, SB_HORZ);
    const int columnsWidth = columns.empty() ? 0 : columns.back().left + columns.back().width;
    for (ListColumn& column : columns)
        column.left -= scrolled;
    const bool checkBoxes =
        (SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & static_cast<LRESULT>(LVS_EX_CHECKBOXES)) != 0;
    const std::uint8_t headerAttrs = view.attrs | kBold | kUnderline;
    grid.Fill({client.x, client.y, client.width, 1}, U' ', headerAttrs);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ListColumn& column = columns[c];
        if (c > 0)
            grid.Put(client.x + column.left, client.y, U'│', headerAttrs);
        grid.Write(client.x + column.left + 1, client.y, SafeText(column.text, headerAttrs), column.width - 1);
    }

    const int count = static_cast<int>(std::max<LRESULT>(0, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
    const int top = static_cast<int>(std::max<LRESULT>(0, SendMessageW(list, LVM_GETTOPINDEX, 0, 0)));
    const int perPage = client.height - 1;
    for (int row = top; row < count && row < top + perPage; ++row) {
        const int y = client.y + 1 + (row - top);
        const UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                                          LVIS_SELECTED | LVIS_STATEIMAGEMASK));
        const std::uint8_t attrs = view.attrs | ((state & LVIS_SELECTED) != 0 ? kReverse : 0);
        grid.Fill({client.x, y, client.width, 1}, U' ', attrs);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const ListColumn& column = columns[c];
            if (column.left + column.width <= 0 || column.left >= client.width)
                continue;
            int textLeft = column.left + 1;
            if (c == 0 && checkBoxes) {
                const bool ticked = (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
                const StyledText box{{U'[', attrs}, {ticked ? U'x' : U' ', attrs}, {U']', attrs}};
                grid.Write(client.x + column.left, y, box, std::min(3, column.width));
                textLeft = column.left + 4;
            }
            const int room = column.left + column.width - textLeft;
            if (room > 0)
                grid.Write(client.x + textLeft, y, SafeText(ListViewText(list, row, static_cast<int>(c)), attrs), room);
        }
    }
    grid.SetClip(clip);
    if (count > perPage && view.HasFrame())
        DrawScrollBar(grid, {view.rect.Right() - 1, client.y + 1, 1, perPage}, top, perPage, count, view.attrs);
    if (columnsWidth > client.width && view.HasFrame())
        DrawScrollBar(grid, {client.x, view.rect.Bottom() - 1, client.width, 1}, scrolled, client.width, columnsWidth,
                      view.attrs);
}

}  // namespace paint
