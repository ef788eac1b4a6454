#pragma once

#include "platform/win/WinUser.h"

#include <memory>
#include <string>
#include <string_view>

// What the standard controls share: their own state kept in GWLP_USERDATA, their window text, their
// notifications to the parent and their class registration.
namespace controls {

// The state a control's procedure made on WM_CREATE; null before that and after WM_NCDESTROY.
template <typename State>
State* StateOf(HWND hWnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

// The window owns the state from here until FreeState, called on WM_NCDESTROY.
template <typename State>
void AttachState(HWND hWnd, std::unique_ptr<State> state) {
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
}

template <typename State>
void FreeState(HWND hWnd) {
    std::unique_ptr<State> state(StateOf<State>(hWnd));
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
}

std::u16string WindowText(HWND hWnd);

// Sends WM_COMMAND with the control's id and `code` to its parent. The parent may destroy the control
// meanwhile: returns whether it is still alive, and a caller that goes on must fetch its state anew.
bool NotifyParent(HWND hWnd, UINT code);

// The width and height of the client area in cells.
int ClientWidth(HWND hWnd);
int ClientHeight(HWND hWnd);

bool ShiftHeld();

// Whether the window's class is `className`, compared ignoring ASCII case as class names are.
bool HasClass(HWND hWnd, std::u16string_view className);

// Registers a control class when the platform library is loaded: each control keeps one of these at
// namespace scope.
class ClassRegistration {
public:
    ClassRegistration(LPCWSTR className, WNDPROC procedure);
};

}  // namespace controls
