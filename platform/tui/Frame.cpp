#include "platform/tui/Frame.h"

#include <algorithm>

#include "platform/win/TextCells.h"

namespace tui {

Frame::Frame(int width, int height)
    : width(std::max(0, width)),
      height(std::max(0, height)),
      cells(static_cast<std::size_t>(this->width) * this->height),
      roles(cells.size(), Role::Backdrop) {}

void Frame::Blit(const paint::CellGrid& grid, int x, int y, const paint::CellRect& clip, Role role) {
    const paint::CellRect area = paint::Intersect(
        paint::Intersect(clip, {0, 0, width, height}), {x, y, grid.Width(), grid.Height()});
    for (int row = area.y; row < area.Bottom(); ++row) {
        for (int column = area.x; column < area.Right(); ++column) {
            At(column, row) = grid.At(column - x, row - y);
            RoleAt(column, row) = role;
        }
    }
}

void Frame::Clear(const paint::CellRect& rect, Role role) {
    const paint::CellRect area = paint::Intersect(rect, {0, 0, width, height});
    for (int row = area.y; row < area.Bottom(); ++row) {
        for (int column = area.x; column < area.Right(); ++column) {
            At(column, row) = paint::Cell{};
            RoleAt(column, row) = role;
        }
    }
}

}  // namespace tui

namespace tui {

void Frame::Mend() {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            paint::Cell& cell = At(column, row);
            const bool wide = !cell.continuation && !cell.glyph.empty() && CharCells(cell.glyph[0]) == 2;
            const bool orphan = cell.continuation && (column == 0 || At(column - 1, row).continuation ||
                                                      At(column - 1, row).glyph.empty() ||
                                                      CharCells(At(column - 1, row).glyph[0]) != 2);
            const bool halved = wide && (column + 1 == width || !At(column + 1, row).continuation);
            if (orphan || halved)
                cell = paint::Cell{U" ", cell.attrs, false};
        }
    }
}

}  // namespace tui
