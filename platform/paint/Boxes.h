#pragma once

#include <cstdint>

#include "platform/paint/CellGrid.h"

namespace paint {

// Draws the outline of rect with line-drawing characters and, when given, the caption in its top line
// (" Caption ", from the third cell, cut to fit). The inside is left as it is. A rect one line high gets
// its top line only.
void DrawBox(CellGrid& grid, const CellRect& rect, std::uint8_t attrs, const StyledText& caption = {});

}  // namespace paint
