#include "platform/win/MessageQueue.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowClassTable.h"
#include "platform/win/WindowTable.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

using win::MessageQueue;
using win::Window;
using win::WindowTable;

namespace {

// Makes the window on the calling thread; `parent`, when given, is a live window of this thread that is not
// being destroyed, and the new window joins the end of its children.
// `prepare` fills in what the window has from its first moment (class, text, styles, place).
template <class Prepare>
HWND CreateWindowOnThisThread(WNDPROC lpfnWndProc, void* userData, const std::shared_ptr<Window>& parent,
                              UINT controlId, Prepare prepare) {
    const std::shared_ptr<MessageQueue>& queue = MessageQueue::ForCurrentThread();
    WindowTable& table = WindowTable::Instance();
    auto window = std::make_shared<Window>(table.NewHandle(), lpfnWndProc, userData, queue->ThreadId(), queue);
    prepare(*window);
    HWND handle = window->handle;
    if (parent) {
        window->parent = parent->handle;
        window->controlId = controlId;
    }
    // The queue accepts messages for the window before IsWindow reports it, so a live window never refuses one.
    queue->AddWindow(handle);
    table.Insert(std::move(window));
    if (parent) {
        std::lock_guard lock(parent->state->mutex);
        parent->state->children.push_back(handle);
        parent->state->childIds.push_back(controlId);
    }
    return handle;
}

std::vector<HWND> ChildrenOf(const Window& window) {
    std::lock_guard lock(window.state->mutex);
    return window.state->children;
}

void LeaveParent(const Window& window) {
    std::shared_ptr<Window> parent = WindowTable::Instance().Find(window.parent);
    if (!parent)
        return;
    std::lock_guard lock(parent->state->mutex);
    std::vector<HWND>& children = parent->state->children;
    auto it = std::find(children.begin(), children.end(), window.handle);
    if (it == children.end())
        return;
    parent->state->childIds.erase(parent->state->childIds.begin() + (it - children.begin()));
    children.erase(it);
}

}  // namespace

HWND CreateMessageWindow(WNDPROC lpfnWndProc, void* userData) {
    if (lpfnWndProc == nullptr)
        return nullptr;
    return CreateWindowOnThisThread(lpfnWndProc, userData, nullptr, 0, [](Window&) {});
}

HWND CreateChildWindow(HWND parent, UINT controlId, WNDPROC lpfnWndProc, void* userData) {
    std::shared_ptr<Window> parentWindow = WindowTable::Instance().FindOwn(parent);
    if (lpfnWndProc == nullptr || !parentWindow || parentWindow->destroying)
        return nullptr;
    return CreateWindowOnThisThread(lpfnWndProc, userData, parentWindow, controlId, [](Window&) {});
}

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE, LPVOID lpParam) {
    if (lpClassName == nullptr)
        return nullptr;
    const std::u16string className(lpClassName);
    WNDPROC procedure = win::WindowClassTable::Instance().Find(className);
    if (procedure == nullptr)
        return nullptr;
    std::shared_ptr<Window> parentWindow;
    UINT controlId = 0;
    if ((dwStyle & WS_CHILD) != 0) {
        parentWindow = WindowTable::Instance().FindOwn(hWndParent);
        if (!parentWindow || parentWindow->destroying)
            return nullptr;
        controlId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(hMenu));
    }
    const std::u16string text = lpWindowName == nullptr ? std::u16string() : std::u16string(lpWindowName);
    HWND hWnd = CreateWindowOnThisThread(procedure, nullptr, parentWindow, controlId, [&](Window& window) {
        window.className = className;
        win::WindowState& state = *window.state;
        state.text = text;
        state.style = dwStyle & ~(WS_VISIBLE | WS_DISABLED);
        state.exStyle = dwExStyle;
        state.enabled = (dwStyle & WS_DISABLED) == 0;
        state.visible = (dwStyle & WS_VISIBLE) != 0;
        state.rect = RECT{X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
    });
    CREATESTRUCTW create{lpParam, hMenu, hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
                         lpWindowName, lpClassName, dwExStyle};
    if (SendMessageW(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    return hWnd;
}

ATOM RegisterClassW(const WNDCLASSW* lpWndClass) {
    if (lpWndClass == nullptr || lpWndClass->lpfnWndProc == nullptr || lpWndClass->lpszClassName == nullptr ||
        lpWndClass->lpszClassName[0] == u'\0')
        return 0;
    static std::atomic<ATOM> nextAtom{0xC000};
    if (!win::WindowClassTable::Instance().Register(lpWndClass->lpszClassName, lpWndClass->lpfnWndProc))
        return 0;
    return nextAtom.fetch_add(1);
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
    if (lpClassName == nullptr || nMaxCount < 1)
        return 0;
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    const std::u16string name = window ? window->className : std::u16string();
    const std::size_t count = std::min(name.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::copy_n(name.begin(), count, lpClassName);
    lpClassName[count] = u'\0';
    return static_cast<int>(count);
}

LONG GetWindowLongW(HWND hWnd, int nIndex) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return 0;
    if (nIndex == GWL_ID)
        return static_cast<LONG>(window->controlId);
    std::lock_guard lock(window->state->mutex);
    const win::WindowState& state = *window->state;
    if (nIndex == GWL_STYLE)
        return static_cast<LONG>(state.style | (state.visible ? WS_VISIBLE : 0) | (state.enabled ? 0 : WS_DISABLED));
    if (nIndex == GWL_EXSTYLE)
        return static_cast<LONG>(state.exStyle);
    return 0;
}

// WS_VISIBLE and WS_DISABLED in a new style change the state directly, without the messages of
// ShowWindow and EnableWindow, as on Windows.
LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window || (nIndex != GWL_STYLE && nIndex != GWL_EXSTYLE))
        return 0;
    const LONG previous = GetWindowLongW(hWnd, nIndex);
    std::lock_guard lock(window->state->mutex);
    win::WindowState& state = *window->state;
    const auto bits = static_cast<DWORD>(dwNewLong);
    if (nIndex == GWL_STYLE) {
        state.style = bits & ~(WS_VISIBLE | WS_DISABLED);
        state.visible = (bits & WS_VISIBLE) != 0;
        state.enabled = (bits & WS_DISABLED) == 0;
    } else {
        state.exStyle = bits;
    }
    state.dirty = true;
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return 0;
    if (nIndex == GWLP_USERDATA)
        return window->userLong.load();
    if (nIndex == GWLP_WNDPROC)
        return reinterpret_cast<LONG_PTR>(window->procedure.load());
    return 0;
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    if (nIndex == GWLP_USERDATA) {
        std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
        return window ? window->userLong.exchange(dwNewLong) : 0;
    }
    if (nIndex == GWLP_WNDPROC) {
        std::shared_ptr<Window> window = WindowTable::Instance().FindOwn(hWnd);
        if (!window || dwNewLong == 0)
            return 0;
        return reinterpret_cast<LONG_PTR>(window->procedure.exchange(reinterpret_cast<WNDPROC>(dwNewLong)));
    }
    return 0;
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return lpPrevWndFunc == nullptr ? 0 : lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

void* GetWindowUserData(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    return window ? window->userData : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().FindOwn(hWnd);
    if (!window || window->destroying)
        return FALSE;
    window->destroying = true;
    window->Call(WM_DESTROY, 0, 0);
    // As on Windows: the parent hears WM_DESTROY first, then each child dies whole (WM_DESTROY through
    // WM_NCDESTROY, its own children included), and the parent's WM_NCDESTROY comes last.
    for (HWND child : ChildrenOf(*window))
        DestroyWindow(child);
    window->Call(WM_NCDESTROY, 0, 0);
    WindowTable::Instance().Remove(hWnd);
    LeaveParent(*window);
    for (const std::shared_ptr<win::SentMessage>& sent : window->queue->RemoveWindow(hWnd))
        sent->sender->Reply(*sent, 0);
    return TRUE;
}

BOOL IsWindow(HWND hWnd) { return WindowTable::Instance().Find(hWnd) != nullptr; }

DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return 0;
    if (lpdwProcessId != nullptr)
        *lpdwProcessId = static_cast<DWORD>(getpid());
    return window->threadId;
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM, LPARAM) {
    if (Msg == WM_CLOSE)
        DestroyWindow(hWnd);
    return 0;
}
