#include "platform/win/WindowPaint.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowTable.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

using win::Window;
using win::WindowTable;

namespace {

void MarkDirty(HWND hWnd) {
    if (std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd)) {
        std::lock_guard lock(window->state->mutex);
        window->state->dirty = true;
    }
}

}  // namespace

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    const bool enable = bEnable != FALSE;
    bool wasEnabled;
    {
        std::lock_guard lock(window->state->mutex);
        wasEnabled = window->state->enabled;
        window->state->enabled = enable;
        if (wasEnabled != enable)
            window->state->dirty = true;
    }
    if (wasEnabled != enable)
        SendMessageW(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasEnabled ? FALSE : TRUE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    std::lock_guard lock(window->state->mutex);
    return window->state->enabled;
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    std::lock_guard lock(window->state->mutex);
    window->state->text = lpString == nullptr ? std::u16string() : std::u16string(lpString);
    window->state->dirty = true;
    return TRUE;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount < 1)
        return 0;
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window) {
        lpString[0] = u'\0';
        return 0;
    }
    std::lock_guard lock(window->state->mutex);
    const std::u16string& text = window->state->text;
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::copy_n(text.begin(), count, lpString);
    lpString[count] = u'\0';
    return static_cast<int>(count);
}

int GetWindowTextLengthW(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return 0;
    std::lock_guard lock(window->state->mutex);
    return static_cast<int>(window->state->text.size());
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    const bool show = nCmdShow != SW_HIDE;
    bool wasVisible;
    {
        std::lock_guard lock(window->state->mutex);
        wasVisible = window->state->visible;
        window->state->visible = show;
        if (wasVisible != show)
            window->state->dirty = true;
    }
    // Hiding uncovers the parent and showing covers it: either way the parent is drawn again.
    if (wasVisible != show)
        MarkDirty(window->parent);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    for (std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd); window;
         window = WindowTable::Instance().Find(window->parent)) {
        std::lock_guard lock(window->state->mutex);
        if (!window->state->visible)
            return FALSE;
        if (window->parent == nullptr)
            return TRUE;
    }
    return FALSE;
}

namespace {

BOOL PlaceWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint, WPARAM sizeType) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    const LONG width = std::max(nWidth, 0);
    const LONG height = std::max(nHeight, 0);
    bool resized;
    {
        std::lock_guard lock(window->state->mutex);
        RECT& rect = window->state->rect;
        resized = rect.right - rect.left != width || rect.bottom - rect.top != height;
        rect = RECT{X, Y, X + width, Y + height};
        if (bRepaint)
            window->state->dirty = true;
    }
    if (bRepaint)
        MarkDirty(window->parent);
    RECT client;
    if (resized && GetClientRect(hWnd, &client))
        SendMessageW(hWnd, WM_SIZE, sizeType, MAKELPARAM(static_cast<UINT_PTR>(client.right),
                                                         static_cast<UINT_PTR>(client.bottom)));
    return TRUE;
}

}  // namespace

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return PlaceWindow(hWnd, X, Y, nWidth, nHeight, bRepaint, SIZE_RESTORED);
}

BOOL MaximizeWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight) {
    return PlaceWindow(hWnd, X, Y, nWidth, nHeight, TRUE, SIZE_MAXIMIZED);
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window || (nBar != SB_HORZ && nBar != SB_VERT))
        return 0;
    std::lock_guard lock(window->state->mutex);
    const int previous = std::exchange(window->state->scrollPos[nBar], nPos);
    if (bRedraw && previous != nPos)
        window->state->dirty = true;
    return previous;
}

int GetScrollPos(HWND hWnd, int nBar) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window || (nBar != SB_HORZ && nBar != SB_VERT))
        return 0;
    std::lock_guard lock(window->state->mutex);
    return window->state->scrollPos[nBar];
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window || lpRect == nullptr)
        return FALSE;
    std::lock_guard lock(window->state->mutex);
    *lpRect = window->state->rect;
    return TRUE;
}

// A framed window gives one cell on each side to its frame; a control too small for a frame (a one-line edit
// box with a border) keeps all its cells, and the painter marks its edges inside them.
BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window || lpRect == nullptr)
        return FALSE;
    std::lock_guard lock(window->state->mutex);
    const win::WindowState& state = *window->state;
    const LONG width = state.rect.right - state.rect.left;
    const LONG height = state.rect.bottom - state.rect.top;
    const bool framed = ((state.style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0 ||
                         (state.exStyle & WS_EX_CLIENTEDGE) != 0) &&
                        width >= 3 && height >= 3;
    *lpRect = framed ? RECT{0, 0, width - 2, height - 2} : RECT{0, 0, width, height};
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, LPCRECT, BOOL) {
    if (!IsWindow(hWnd))
        return FALSE;
    MarkDirty(hWnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) { return IsWindow(hWnd); }

BOOL IsWindowDirty(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return FALSE;
    std::lock_guard lock(window->state->mutex);
    return window->state->dirty;
}

void ClearWindowDirty(HWND hWnd) {
    if (std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd)) {
        std::lock_guard lock(window->state->mutex);
        window->state->dirty = false;
    }
}
