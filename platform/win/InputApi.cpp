#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"
#include "platform/win/WindowTable.h"

#include <memory>

using win::WindowTable;

namespace {

// Each thread has its own focus and its own view of the modifier keys, as each has its own input on Windows.
thread_local HWND focus = nullptr;
thread_local bool shiftDown = false;
thread_local bool controlDown = false;
thread_local bool altDown = false;

}  // namespace

HWND SetFocus(HWND hWnd) {
    if (hWnd != nullptr && !WindowTable::Instance().FindOwn(hWnd))
        return nullptr;
    HWND previous = GetFocus();
    if (previous == hWnd)
        return previous;
    focus = hWnd;
    if (previous != nullptr)
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    // The old window's handler may have moved the focus on; the new one hears of it only if it still has it.
    if (hWnd != nullptr && focus == hWnd) {
        InvalidateRect(hWnd, nullptr, FALSE);
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    if (previous != nullptr)
        InvalidateRect(previous, nullptr, FALSE);
    return previous;
}

HWND GetFocus() {
    if (focus != nullptr && !IsWindow(focus))
        focus = nullptr;
    return focus;
}

short GetKeyState(int nVirtKey) {
    const bool down = (nVirtKey == VK_SHIFT && shiftDown) || (nVirtKey == VK_CONTROL && controlDown) ||
                      (nVirtKey == VK_MENU && altDown);
    return down ? static_cast<short>(0x8000) : 0;
}

void SetKeyModifiers(bool shift, bool control, bool alt) {
    shiftDown = shift;
    controlDown = control;
    altDown = alt;
}
