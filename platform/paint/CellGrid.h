#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/WinExport.h"

namespace paint {

// Attributes of a cell; a front end maps them to its own (terminal attributes, or nothing in text).
enum Attr : std::uint8_t {
    kBold = 0x01,
    kUnderline = 0x02,
    kReverse = 0x04,
    kDim = 0x08,
};

// One character with its attributes, as written into the grid. Text is made of these.
struct Glyph {
    char32_t c;
    std::uint8_t attrs;
};
using StyledText = std::vector<Glyph>;

// What one cell shows. A wide character sits in its left cell; the cell to its right is its continuation
// and shows nothing of its own.
struct Cell {
    std::u32string glyph = U" ";  // a character and the zero-width marks that combine with it
    std::uint8_t attrs = 0;
    bool continuation = false;
};

// Cell coordinates: x and y of the top-left cell, and a size.
struct CellRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

// The cells two rectangles share (an empty rectangle when none).
WINAPI_EXPORT CellRect Intersect(const CellRect& a, const CellRect& b);

// A screen of W x H cells. Every write is clipped to the clip rectangle (the whole grid at first), and
// no write leaves half a wide character behind: a wide character that does not fit becomes a space, and
// overwriting either half of one turns the other half into a space.
class WINAPI_EXPORT CellGrid {
public:
    CellGrid(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const Cell& At(int x, int y) const;

    // Later writes only reach cells inside `clip` (intersected with the grid).
    void SetClip(const CellRect& clip);
    CellRect Clip() const { return clip_; }

    // Writes one character at (x, y) and returns the cells it took (0 outside the clip). Zero-width
    // characters are not written here: Write attaches them to the character before them.
    int Put(int x, int y, char32_t c, std::uint8_t attrs);

    // Writes text from (x, y) into at most maxCells cells and returns the cells it covers (those the clip
    // hides included). The text must already
    // be safe to show (see SafeText.h); zero-width characters combine with the character written before them
    // in the same call, a few at most, and are dropped when there is none.
    int Write(int x, int y, const StyledText& text, int maxCells);

    // Fills the rectangle with c (a one-cell character) in the given attributes.
    void Fill(const CellRect& rect, char32_t c, std::uint8_t attrs);
    // Adds attributes to every cell of the rectangle, keeping what they show.
    void AddAttrs(const CellRect& rect, std::uint8_t attrs);

    // Each row as UTF-8, every cell included (trailing spaces too), attributes left out.
    std::vector<std::string> Lines() const;

private:
    bool InClip(int x, int y) const;
    Cell& CellAt(int x, int y) { return cells_[static_cast<std::size_t>(y) * width_ + x]; }
    // Makes the cell at (x, y) stand alone: a wide character it is half of is replaced by a space.
    void Detach(int x, int y);

    int width_;
    int height_;
    CellRect clip_;
    std::vector<Cell> cells_;
};

}  // namespace paint
