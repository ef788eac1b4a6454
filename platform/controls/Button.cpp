#include "platform/controls/ControlWindow.h"

#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"

#include <algorithm>
#include <memory>
#include <vector>

// "Button": push and default push buttons, check boxes, radio buttons and group boxes. The kind is read
// from the style on every message, since the dialog manager switches push and default push with
// BM_SETSTYLE.

namespace {

struct ButtonState {
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;    // drawn pressed in
    bool tracking = false;  // the mouse went down on the button and has not come up yet
};

DWORD KindOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckable(DWORD kind) {
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool HasGroupStyle(HWND hWnd) { return (static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & WS_GROUP) != 0; }

// The siblings of hWnd's group, itself included: from the nearest sibling at or before it with WS_GROUP
// (or the first child) up to the next sibling with WS_GROUP.
std::vector<HWND> GroupOf(HWND hWnd) {
    HWND parent = GetParent(hWnd);
    if (parent == nullptr)
        return {hWnd};
    std::vector<HWND> group;
    bool reached = false;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (HasGroupStyle(sibling)) {
            if (reached)
                break;
            group.clear();
        }
        group.push_back(sibling);
        reached = reached || sibling == hWnd;
    }
    return group;
}

void CheckAutoRadio(HWND hWnd) {
    SendMessageW(hWnd, BM_SETCHECK, BST_CHECKED, 0);
    for (HWND sibling : GroupOf(hWnd)) {
        if (sibling != hWnd && controls::HasClass(sibling, u"Button") && KindOf(sibling) == BS_AUTORADIOBUTTON)
            SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// A user's click: an auto button changes its check first, then the parent hears of it.
void Click(HWND hWnd) {
    const DWORD kind = KindOf(hWnd);
    if (kind == BS_GROUPBOX || !IsWindowEnabled(hWnd))
        return;
    if (kind == BS_AUTOCHECKBOX) {
        const WPARAM check = SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        SendMessageW(hWnd, BM_SETCHECK, check, 0);
    } else if (kind == BS_AUTORADIOBUTTON) {
        CheckAutoRadio(hWnd);
    }
    controls::NotifyParent(hWnd, BN_CLICKED);
}

LRESULT DialogCode(DWORD kind) {
    switch (kind) {
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return DLGC_BUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
}

void SetPushed(HWND hWnd, ButtonState& state, bool pushed) {
    if (state.pushed == pushed)
        return;
    state.pushed = pushed;
    InvalidateRect(hWnd, nullptr, TRUE);
}

bool IsInside(HWND hWnd, LPARAM point) {
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    return x >= 0 && y >= 0 && x < controls::ClientWidth(hWnd) && y < controls::ClientHeight(hWnd);
}

void MouseDown(HWND hWnd) {
    if (KindOf(hWnd) == BS_GROUPBOX || !IsWindowEnabled(hWnd))
        return;
    SetFocus(hWnd);
    // Losing the focus may have run anything, the button's end included.
    ButtonState* state = controls::StateOf<ButtonState>(hWnd);
    if (state == nullptr)
        return;
    state->tracking = true;
    SetPushed(hWnd, *state, true);
}

void MouseUp(HWND hWnd, LPARAM point) {
    ButtonState* state = controls::StateOf<ButtonState>(hWnd);
    if (state == nullptr || !state->tracking)
        return;
    state->tracking = false;
    SetPushed(hWnd, *state, false);
    if (IsInside(hWnd, point))
        Click(hWnd);
}

LRESULT ButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    using controls::StateOf;
    switch (message) {
    case WM_CREATE:
        controls::AttachState(hWnd, std::make_unique<ButtonState>());
        return 0;
    case WM_NCDESTROY:
        controls::FreeState<ButtonState>(hWnd);
        break;
    case WM_GETDLGCODE:
        return DialogCode(KindOf(hWnd));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(hWnd);
        return 0;
    case WM_LBUTTONUP:
        MouseUp(hWnd, lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && GetFocus() == hWnd)
            Click(hWnd);
        return 0;
    case BM_CLICK:
        Click(hWnd);
        return 0;
    case BM_GETCHECK:
        if (ButtonState* state = StateOf<ButtonState>(hWnd))
            return IsCheckable(KindOf(hWnd)) ? static_cast<LRESULT>(state->check) : BST_UNCHECKED;
        return 0;
    case BM_SETCHECK:
        // Two-state buttons only: any check other than none is a check.
        if (ButtonState* state = StateOf<ButtonState>(hWnd); state != nullptr && IsCheckable(KindOf(hWnd))) {
            const WPARAM check = wParam == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
            if (state->check != check) {
                state->check = check;
                InvalidateRect(hWnd, nullptr, TRUE);
            }
        }
        return 0;
    case BM_GETSTATE:
        if (ButtonState* state = StateOf<ButtonState>(hWnd)) {
            LRESULT result = IsCheckable(KindOf(hWnd)) ? static_cast<LRESULT>(state->check) : 0;
            if (state->pushed)
                result |= BST_PUSHED;
            if (GetFocus() == hWnd)
                result |= BST_FOCUS;
            return result;
        }
        return 0;
    case BM_SETSTATE:
        if (ButtonState* state = StateOf<ButtonState>(hWnd))
            SetPushed(hWnd, *state, wParam != FALSE);
        return 0;
    case BM_SETSTYLE: {
        const DWORD style = static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE));
        SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
        if (LOWORD(static_cast<UINT_PTR>(lParam)) != FALSE)
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    }
    case WM_SETFOCUS:
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        if (ButtonState* state = StateOf<ButtonState>(hWnd)) {
            state->tracking = false;
            state->pushed = false;
        }
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const controls::ClassRegistration registration(u"Button", &ButtonProc);

}  // namespace
