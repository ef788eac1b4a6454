#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/paint/CellGrid.h"

namespace tui {

// What a cell belongs to, which sets its colours: the dialog's body, its caption bar, the host window
// behind it, the host's status bar, the key help.
enum class Role : std::uint8_t { Dialog, Caption, Backdrop, Status, Help };

// One screen as the terminal is to show it.
struct Frame {
    struct Point {
        int x;
        int y;
    };

    Frame(int width, int height);

    int width;
    int height;
    std::vector<paint::Cell> cells;
    std::vector<Role> roles;
    std::optional<Point> cursor;  // shown only while the user types in an edit box

    paint::Cell& At(int x, int y) { return cells[static_cast<std::size_t>(y) * width + x]; }
    const paint::Cell& At(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
    Role& RoleAt(int x, int y) { return roles[static_cast<std::size_t>(y) * width + x]; }
    Role RoleAt(int x, int y) const { return roles[static_cast<std::size_t>(y) * width + x]; }

    // Copies the grid's cells into the frame with its top-left cell at (x, y), as far as `clip` reaches,
    // giving them `role`.
    void Blit(const paint::CellGrid& grid, int x, int y, const paint::CellRect& clip, Role role);
    // Fills the rectangle with spaces of `role`.
    void Clear(const paint::CellRect& rect, Role role);
    // Turns every half of a wide character whose other half was cut off or covered into a space.
    void Mend();
};

}  // namespace tui
