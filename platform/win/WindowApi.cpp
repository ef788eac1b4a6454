#include "platform/win/MessageQueue.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowTable.h"

#include <unistd.h>

#include <memory>
#include <vector>

using win::MessageQueue;
using win::Window;
using win::WindowTable;

namespace {

// Makes the window on the calling thread; `parent`, when given, is a live window of this thread that is not
// being destroyed, and the new window joins the end of its children.
HWND CreateWindowOnThisThread(WNDPROC lpfnWndProc, void* userData, const std::shared_ptr<Window>& parent,
                              UINT controlId) {
    const std::shared_ptr<MessageQueue>& queue = MessageQueue::ForCurrentThread();
    WindowTable& table = WindowTable::Instance();
    auto window = std::make_shared<Window>(Window{table.NewHandle(), lpfnWndProc, userData, queue->ThreadId(), queue});
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
    std::erase(parent->state->children, window.handle);
}

}  // namespace

HWND CreateMessageWindow(WNDPROC lpfnWndProc, void* userData) {
    if (lpfnWndProc == nullptr)
        return nullptr;
    return CreateWindowOnThisThread(lpfnWndProc, userData, nullptr, 0);
}

HWND CreateChildWindow(HWND parent, UINT controlId, WNDPROC lpfnWndProc, void* userData) {
    std::shared_ptr<Window> parentWindow = WindowTable::Instance().FindOwn(parent);
    if (lpfnWndProc == nullptr || !parentWindow || parentWindow->destroying)
        return nullptr;
    return CreateWindowOnThisThread(lpfnWndProc, userData, parentWindow, controlId);
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
