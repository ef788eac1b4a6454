#include "platform/tui/DialogCells.h"

#include <algorithm>
#include <vector>

#include "platform/paint/ControlReading.h"
#include "platform/paint/DialogPainter.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace tui {

namespace {

bool Contains(const paint::CellRect& rect, int x, int y) {
    return x >= rect.x && x < rect.Right() && y >= rect.y && y < rect.Bottom();
}

bool Dropped(HWND control) {
    return paint::KindOf(control) == paint::ControlKind::Combo && SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace

paint::CellRect ControlCells(HWND hDlg, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    const paint::CellRect client = paint::ClientArea(hDlg);
    paint::CellRect cells{rect.left + client.x, rect.top + client.y, rect.right - rect.left, rect.bottom - rect.top};
    if (paint::KindOf(control) == paint::ControlKind::Combo && !Dropped(control))
        cells.height = std::min(cells.height, 1);
    return cells;
}

HWND ControlAt(HWND hDlg, int x, int y) {
    std::vector<HWND> shown;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (paint::IsShown(child))
            shown.push_back(child);
    }
    for (HWND child : shown) {
        if (Dropped(child) && Contains(ControlCells(hDlg, child), x, y))
            return child;
    }
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (paint::KindOf(*it) != paint::ControlKind::GroupBox && Contains(ControlCells(hDlg, *it), x, y))
            return *it;
    }
    return nullptr;
}

}  // namespace tui
