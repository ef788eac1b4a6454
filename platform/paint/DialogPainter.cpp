#include "platform/paint/DialogPainter.h"

#include <algorithm>
#include <vector>

#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/ControlPainters.h"
#include "platform/paint/SafeText.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowPaint.h"

namespace paint {

namespace {

CellRect WindowCells(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// True when the focus is hWnd or one of its descendants.
bool HoldsFocus(HWND hWnd, HWND focus) {
    for (HWND window = focus; window != nullptr; window = GetParent(window))
        if (window == hWnd)
            return true;
    return false;
}

ControlView ViewOf(HWND child, const CellRect& parentClient, HWND focus) {
    CellRect rect = WindowCells(child);
    rect.x += parentClient.x;
    rect.y += parentClient.y;
    CellRect client = ClientArea(child);
    client.x += rect.x;
    client.y += rect.y;
    ControlView view{};
    view.hwnd = child;
    view.rect = rect;
    view.client = client;
    view.style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    view.enabled = IsWindowEnabled(child) != FALSE;
    view.focused = HoldsFocus(child, focus);
    view.attrs = view.enabled ? 0 : kDim;
    return view;
}

void PaintControl(CellGrid& grid, const ControlView& view) {
    switch (KindOf(view.hwnd)) {
    case ControlKind::PushButton:
        PaintButton(grid, view, false);
        break;
    case ControlKind::DefPushButton:
        PaintButton(grid, view, true);
        break;
    case ControlKind::CheckBox:
        PaintCheckBox(grid, view, false);
        break;
    case ControlKind::Radio:
        PaintCheckBox(grid, view, true);
        break;
    case ControlKind::GroupBox:
        PaintGroupBox(grid, view);
        break;
    case ControlKind::Static:
        PaintStatic(grid, view);
        break;
    case ControlKind::Edit:
        PaintEdit(grid, view);
        break;
    case ControlKind::Combo:
        PaintComboBox(grid, view);
        break;
    case ControlKind::List:
        PaintListView(grid, view);
        break;
    case ControlKind::Other:
        break;
    }
}

// A label (a plain static text, a check box, a radio button) is laid out in dialog units for a
// proportional font; in cells its text may be longer than its window. It takes the free cells to its right
// on its text row, up to one cell before the next control there, the border of a group box around it, or
// the dialog's edge, so labels are not cut where nothing would be covered.
ControlView WithRoomForItsLabel(const ControlView& view, const std::vector<ControlView>& siblings,
                                const CellRect& client) {
    const ControlKind kind = KindOf(view.hwnd);
    const bool label = (kind == ControlKind::Static && (view.style & SS_SUNKEN) == 0 && !view.HasFrame()) ||
                       kind == ControlKind::CheckBox || kind == ControlKind::Radio;
    if (!label)
        return view;
    const int row = view.TextRow();
    int limit = client.Right();
    for (const ControlView& other : siblings) {
        if (other.hwnd == view.hwnd || row < other.rect.y || row >= other.rect.Bottom())
            continue;
        if (KindOf(other.hwnd) == ControlKind::GroupBox) {
            if (other.rect.x < view.rect.x && other.rect.Right() > view.rect.x)
                limit = std::min(limit, other.rect.Right() - 1);
        } else if (other.rect.x > view.rect.x) {
            limit = std::min(limit, other.rect.x - 1);
        }
    }
    ControlView wider = view;
    wider.rect.width = std::max(view.rect.width, limit - view.rect.x);
    wider.client.width += wider.rect.width - view.rect.width;
    return wider;
}

}  // namespace

CellRect ClientArea(HWND hWnd) {
    const CellRect window = WindowCells(hWnd);
    RECT client{};
    GetClientRect(hWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    return {(window.width - width) / 2, (window.height - height) / 2, width, height};
}

CellGrid PaintDialog(HWND hDlg) {
    const CellRect window = WindowCells(hDlg);
    CellGrid grid(window.width, window.height);
    const CellRect client = ClientArea(hDlg);
    if (client.width < window.width)
        DrawBox(grid, {0, 0, window.width, window.height}, 0, Label(WindowText(hDlg), kBold, false));
    ClearWindowDirty(hDlg);

    const HWND focus = GetFocus();
    std::vector<ControlView> views;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsShown(child))
            views.push_back(ViewOf(child, client, focus));
    }
    std::vector<ControlView> droppedCombos;
    for (const ControlView& shown : views) {
        const ControlView view = WithRoomForItsLabel(shown, views, client);
        grid.SetClip(Intersect(view.rect, client));
        PaintControl(grid, view);
        ClearWindowDirty(view.hwnd);
        if (KindOf(view.hwnd) == ControlKind::Combo && SendMessageW(view.hwnd, CB_GETDROPPEDSTATE, 0, 0))
            droppedCombos.push_back(view);
    }
    grid.SetClip(client);
    for (const ControlView& view : droppedCombos)
        PaintComboList(grid, view);
    return grid;
}

}  // namespace paint
