#include "platform/paint/Boxes.h"

namespace paint {

void DrawBox(CellGrid& grid, const CellRect& rect, std::uint8_t attrs, const StyledText& caption) {
    if (rect.width <= 0 || rect.height <= 0)
        return;
    const int right = rect.Right() - 1;
    const int bottom = rect.Bottom() - 1;
    const bool sides = rect.height >= 2;
    grid.Fill({rect.x, rect.y, rect.width, 1}, U'─', attrs);
    if (sides) {
        grid.Fill({rect.x, bottom, rect.width, 1}, U'─', attrs);
        grid.Fill({rect.x, rect.y + 1, 1, rect.height - 2}, U'│', attrs);
        grid.Fill({right, rect.y + 1, 1, rect.height - 2}, U'│', attrs);
        grid.Put(rect.x, rect.y, U'┌', attrs);
        grid.Put(right, rect.y, U'┐', attrs);
        grid.Put(rect.x, bottom, U'└', attrs);
        grid.Put(right, bottom, U'┘', attrs);
    }
    const int room = rect.width - 4;  // a corner and a line on each side stay visible
    if (caption.empty() || room < 1)
        return;
    StyledText padded;
    padded.reserve(caption.size() + 2);
    padded.push_back({U' ', attrs});
    padded.insert(padded.end(), caption.begin(), caption.end());
    padded.push_back({U' ', attrs});
    grid.Write(rect.x + 2, rect.y, padded, room);
}

}  // namespace paint
