#include "platform/paint/DialogPainter.h"

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
    std::vector<ControlView> droppedCombos;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsShown(child))
            continue;
        const ControlView view = ViewOf(child, client, focus);
        grid.SetClip(Intersect(view.rect, client));
        PaintControl(grid, view);
        ClearWindowDirty(child);
        if (KindOf(child) == ControlKind::Combo && SendMessageW(child, CB_GETDROPPEDSTATE, 0, 0))
            droppedCombos.push_back(view);
    }
    grid.SetClip(client);
    for (const ControlView& view : droppedCombos)
        PaintComboList(grid, view);
    return grid;
}

}  // namespace paint
