#include "platform/paint/CellGrid.h"

#include "platform/win/Utf8.h"

#include <algorithm>

#include "platform/win/TextCells.h"

namespace paint {

namespace {

// Enough for a letter with its accents; a longer run of marks only piles up in one cell.
constexpr std::size_t kMaxMarksPerCell = 4;


}  // namespace

CellRect Intersect(const CellRect& a, const CellRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

CellGrid::CellGrid(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      clip_{0, 0, width_, height_},
      cells_(static_cast<std::size_t>(width_) * height_) {}

const Cell& CellGrid::At(int x, int y) const { return cells_[static_cast<std::size_t>(y) * width_ + x]; }

void CellGrid::SetClip(const CellRect& clip) { clip_ = Intersect(clip, {0, 0, width_, height_}); }

bool CellGrid::InClip(int x, int y) const { return x >= clip_.x && x < clip_.Right() && y >= clip_.y && y < clip_.Bottom(); }

void CellGrid::Detach(int x, int y) {
    Cell& cell = CellAt(x, y);
    if (cell.continuation && x > 0) {
        Cell& lead = CellAt(x - 1, y);
        lead.glyph = U" ";
        cell.continuation = false;
    } else if (x + 1 < width_ && CellAt(x + 1, y).continuation) {
        Cell& next = CellAt(x + 1, y);
        next.glyph = U" ";
        next.continuation = false;
    }
    cell.continuation = false;
}

int CellGrid::Put(int x, int y, char32_t c, std::uint8_t attrs) {
    const int cells = CharCells(c);
    if (!InClip(x, y)) {
        // The right half of a wide character that starts left of the clip: the visible half is a space.
        if (cells == 2 && InClip(x + 1, y))
            Put(x + 1, y, U' ', attrs);
        return 0;
    }
    if (cells == 0)
        return 0;
    Detach(x, y);
    Cell& cell = CellAt(x, y);
    cell.attrs = attrs;
    if (cells == 2 && !InClip(x + 1, y)) {
        cell.glyph = U" ";
        return 1;
    }
    cell.glyph.assign(1, c);
    if (cells == 2) {
        Detach(x + 1, y);
        Cell& right = CellAt(x + 1, y);
        right.glyph.clear();
        right.attrs = attrs;
        right.continuation = true;
    }
    return cells;
}

int CellGrid::Write(int x, int y, const StyledText& text, int maxCells) {
    const int limit = x + std::max(0, maxCells);
    int cursor = x;
    Cell* last = nullptr;  // the cell the next zero-width character combines with
    for (const Glyph& glyph : text) {
        if (cursor >= limit)
            break;
        const int cells = CharCells(glyph.c);
        if (cells == 0) {
            if (last != nullptr && last->glyph.size() <= kMaxMarksPerCell)
                last->glyph += glyph.c;
            continue;
        }
        if (cells == 2 && cursor + 1 >= limit) {
            // Half a wide character is never shown: the cell left over stays a space.
            Put(cursor, y, U' ', glyph.attrs);
            ++cursor;
            break;
        }
        const int taken = Put(cursor, y, glyph.c, glyph.attrs);
        last = taken > 0 && CellAt(cursor, y).glyph[0] == glyph.c ? &CellAt(cursor, y) : nullptr;
        cursor += cells;
    }
    return std::min(cursor, limit) - x;
}

void CellGrid::Fill(const CellRect& rect, char32_t c, std::uint8_t attrs) {
    const CellRect area = Intersect(rect, clip_);
    for (int y = area.y; y < area.Bottom(); ++y)
        for (int x = area.x; x < area.Right(); ++x)
            Put(x, y, c, attrs);
}

void CellGrid::AddAttrs(const CellRect& rect, std::uint8_t attrs) {
    const CellRect area = Intersect(rect, clip_);
    for (int y = area.y; y < area.Bottom(); ++y)
        for (int x = area.x; x < area.Right(); ++x)
            CellAt(x, y).attrs |= attrs;
}

std::vector<std::string> CellGrid::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(height_);
    for (int y = 0; y < height_; ++y) {
        std::string line;
        for (int x = 0; x < width_; ++x)
            for (char32_t c : At(x, y).glyph)
                win::AppendUtf8(line, c);
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace paint
