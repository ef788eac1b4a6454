#include <algorithm>
#include <vector>

#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/TextCells.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace paint {

namespace {

// The text from its first visible unit, made safe, with the cell each unit starts at (one more entry for
// the end of the text).
struct EditLine {
    StyledText glyphs;
    std::vector<int> cellOf;
};

EditLine Layout(std::u16string_view text, std::size_t first, std::uint8_t attrs) {
    EditLine line;
    line.cellOf.assign(text.size() - first + 1, 0);
    int cells = 0;
    for (std::size_t i = first; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        const std::size_t units = pair ? 2 : 1;
        const std::size_t before = line.glyphs.size();
        AppendSafe(line.glyphs, text.substr(i, units), attrs);
        for (std::size_t u = 0; u < units; ++u)
            line.cellOf[i - first + u] = cells;
        for (std::size_t g = before; g < line.glyphs.size(); ++g)
            cells += CharCells(line.glyphs[g].c);
        i += units;
    }
    line.cellOf.back() = cells;
    return line;
}

}  // namespace

// One line of text from the first visible character, in an underlined field (the edges of a box too small
// for frame cells). When focused, the selection is reversed, or the caret's cell when nothing is selected.
// An escaped control character is wider than the one cell the edit box counts for it, so the painter
// moves the text on by itself when the caret would fall outside the field.
void PaintEdit(CellGrid& grid, const ControlView& view) {
    // Without frame cells the box is its one line: the rows below it are left to what lies under them.
    if (view.HasFrame()) {
        grid.Fill(view.rect, U' ', view.attrs);
        DrawBox(grid, view.rect, view.attrs | (view.focused ? kBold : 0));
    }
    const CellRect field{view.client.x, view.client.y, view.client.width, 1};
    if (field.width <= 0)
        return;
    const std::uint8_t attrs = view.attrs | kUnderline;
    grid.Fill(field, U' ', attrs);

    const std::u16string text = WindowText(view.hwnd);
    const std::size_t first =
        std::min(static_cast<std::size_t>(SendMessageW(view.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0)), text.size());
    const LRESULT selection = SendMessageW(view.hwnd, EM_GETSEL, 0, 0);
    auto cellAt = [&](const EditLine& line, std::size_t index) {
        return line.cellOf[std::clamp(index, first, text.size()) - first];
    };
    const EditLine line = Layout(text, first, attrs);
    const std::size_t start = LOWORD(selection);
    const std::size_t caret = HIWORD(selection);
    const int origin = view.focused ? std::max(0, cellAt(line, caret) - (field.width - 1)) : 0;

    const CellRect clip = grid.Clip();
    grid.SetClip(Intersect(clip, field));
    grid.Write(field.x - origin, field.y, line.glyphs, origin + field.width);
    grid.SetClip(clip);
    if (!view.focused)
        return;
    const int from = cellAt(line, std::min(start, caret)) - origin;
    const int to = cellAt(line, std::max(start, caret)) - origin;
    grid.AddAttrs({field.x + from, field.y, std::max(1, to - from), 1}, kReverse);
}

}  // namespace paint
