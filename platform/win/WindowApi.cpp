#include "platform/win/MessageQueue.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowTable.h"

#include <unistd.h>

#include <memory>

using win::MessageQueue;
using win::Window;
using win::WindowTable;

HWND CreateMessageWindow(WNDPROC lpfnWndProc, void* userData) {
    if (lpfnWndProc == nullptr)
        return nullptr;
    const std::shared_ptr<MessageQueue>& queue = MessageQueue::ForCurrentThread();
    WindowTable& table = WindowTable::Instance();
    auto window = std::make_shared<Window>(Window{table.NewHandle(), lpfnWndProc, userData, queue->ThreadId(), queue});
    HWND handle = window->handle;
    // The queue accepts messages for the window before IsWindow reports it, so a live window never refuses one.
    queue->AddWindow(handle);
    table.Insert(std::move(window));
    return handle;
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
    window->Call(WM_NCDESTROY, 0, 0);
    WindowTable::Instance().Remove(hWnd);
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
