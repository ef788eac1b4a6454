#include "platform/controls/ControlWindow.h"
#include "platform/controls/EditLine.h"

#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

// "Edit": a one-line edit box. The window text is its content; the box scrolls sideways to keep the
// caret in view whether or not it has ES_AUTOHSCROLL. A user's change to the text is followed by
// EN_CHANGE; text set from outside, and EM_SETSEL, send nothing.

namespace {

using controls::EditLine;

struct EditState {
    EditLine line;
    char16_t pendingHigh = 0;  // the first half of a surrogate pair, typed as its own WM_CHAR
};

// Runs a user's edit or caret move, where `edit` answers whether the text changed; then scrolls, and tells
// the parent of a change.
template <typename Edit>
void UserEdit(HWND hWnd, Edit edit) {
    EditState* state = controls::StateOf<EditState>(hWnd);
    if (state == nullptr)
        return;
    std::u16string text = controls::WindowText(hWnd);
    const int width = controls::ClientWidth(hWnd);
    state->line.Fit(text, width);
    const bool changed = edit(state->line, text);
    if (changed)
        SetWindowTextW(hWnd, text.c_str());
    state->line.Fit(text, width);
    InvalidateRect(hWnd, nullptr, TRUE);
    if (changed)
        controls::NotifyParent(hWnd, EN_CHANGE);
}

// Fits the state to text that may have been set from outside before a message reads it.
EditState* FittedState(HWND hWnd) {
    EditState* state = controls::StateOf<EditState>(hWnd);
    if (state != nullptr && state->line.Fit(controls::WindowText(hWnd), controls::ClientWidth(hWnd)))
        InvalidateRect(hWnd, nullptr, TRUE);
    return state;
}

void TypeUnit(HWND hWnd, char16_t unit) {
    EditState* state = controls::StateOf<EditState>(hWnd);
    if (state == nullptr)
        return;
    const char16_t high = state->pendingHigh;
    state->pendingHigh = 0;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        // Held back until its second half comes, so the pair goes in (or is refused) as one character.
        state->pendingHigh = unit;
        return;
    }
    std::u16string units;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (high == 0)
            return;
        units = {high, unit};
    } else if (unit == 0x08) {
        UserEdit(hWnd, [](EditLine& line, std::u16string& text) { return line.DeleteBackward(text); });
        return;
    } else if (unit < 0x20 || unit == 0x7F) {
        return;
    } else {
        units = {unit};
    }
    UserEdit(hWnd, [&units](EditLine& line, std::u16string& text) { return line.Replace(text, units); });
}

// Where a caret key moves the caret.
int CaretTarget(WPARAM key, const EditLine& line, std::u16string_view text) {
    switch (key) {
    case VK_LEFT:
        return EditLine::Previous(text, line.Caret());
    case VK_RIGHT:
        return EditLine::Next(text, line.Caret());
    case VK_HOME:
        return 0;
    default:
        return static_cast<int>(text.size());
    }
}

void KeyDown(HWND hWnd, WPARAM key) {
    switch (key) {
    case VK_BACK:
        UserEdit(hWnd, [](EditLine& line, std::u16string& text) { return line.DeleteBackward(text); });
        return;
    case VK_DELETE:
        UserEdit(hWnd, [](EditLine& line, std::u16string& text) { return line.DeleteForward(text); });
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END: {
        const bool extend = controls::ShiftHeld();
        UserEdit(hWnd, [key, extend](EditLine& line, std::u16string& text) {
            line.MoveCaret(text, CaretTarget(key, line, text), extend);
            return false;
        });
        return;
    }
    default:
        return;
    }
}

void MouseDown(HWND hWnd, LPARAM point) {
    SetFocus(hWnd);
    // Losing the focus may have run anything, the box's end included: UserEdit fetches the state anew.
    const int x = GET_X_LPARAM(point);
    const bool extend = controls::ShiftHeld();
    UserEdit(hWnd, [x, extend](EditLine& line, std::u16string& text) {
        line.MoveCaret(text, line.PositionAtCell(text, x), extend);
        return false;
    });
}

// EM_SETSEL positions: -1 (any negative) and anything past the text mean its end.
int SelectionPosition(WPARAM value, int length) {
    const auto position = static_cast<INT_PTR>(value);
    return position < 0 || position > length ? length : static_cast<int>(position);
}

void SetSelection(HWND hWnd, WPARAM start, LPARAM end) {
    EditState* state = FittedState(hWnd);
    if (state == nullptr)
        return;
    const std::u16string text = controls::WindowText(hWnd);
    const int length = static_cast<int>(text.size());
    if (static_cast<INT_PTR>(start) == -1)
        state->line.MoveCaret(text, state->line.Caret(), false);  // a start of -1 only drops the selection
    else
        state->line.Select(text, SelectionPosition(start, length), SelectionPosition(static_cast<WPARAM>(end), length));
    state->line.Fit(text, controls::ClientWidth(hWnd));
    InvalidateRect(hWnd, nullptr, TRUE);
}

LRESULT GetSelection(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    EditState* state = FittedState(hWnd);
    if (state == nullptr)
        return 0;
    const int start = state->line.SelectionStart();
    const int end = state->line.SelectionEnd();
    if (auto* pStart = reinterpret_cast<DWORD*>(wParam))
        *pStart = static_cast<DWORD>(start);
    if (auto* pEnd = reinterpret_cast<DWORD*>(lParam))
        *pEnd = static_cast<DWORD>(end);
    return static_cast<LRESULT>(static_cast<DWORD>(start & 0xFFFF) | (static_cast<DWORD>(end & 0xFFFF) << 16));
}

LRESULT EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        controls::AttachState(hWnd, std::make_unique<EditState>());
        return 0;
    case WM_NCDESTROY:
        controls::FreeState<EditState>(hWnd);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR:
        if (IsWindowEnabled(hWnd))
            TypeUnit(hWnd, static_cast<char16_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (IsWindowEnabled(hWnd))
            KeyDown(hWnd, wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (IsWindowEnabled(hWnd))
            MouseDown(hWnd, lParam);
        return 0;
    case EM_GETSEL:
        return GetSelection(hWnd, wParam, lParam);
    case EM_SETSEL:
        SetSelection(hWnd, wParam, lParam);
        return 0;
    case EM_GETFIRSTVISIBLELINE:
        if (EditState* state = FittedState(hWnd))
            return state->line.FirstVisible();
        return 0;
    case EM_LIMITTEXT:
        if (EditState* state = controls::StateOf<EditState>(hWnd))
            state->line.SetLimit(static_cast<int>(std::min<WPARAM>(wParam, EditLine::kLargestLimit)));
        return 0;
    case WM_SIZE:
        FittedState(hWnd);
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        if (EditState* state = controls::StateOf<EditState>(hWnd))
            state->pendingHigh = 0;
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const controls::ClassRegistration registration(u"Edit", &EditProc);

}  // namespace
