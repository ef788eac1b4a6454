#include "platform/win/WindowTable.h"

#include "platform/win/WinBase.h"

#include <utility>

namespace win {

WindowTable& WindowTable::Instance() {
    // Never destroyed: a thread still running at exit may end after static destructors have run, and its
    // windows are taken out of this table as it ends.
    static WindowTable* const table = new WindowTable;
    return *table;
}

HWND WindowTable::NewHandle() {
    return reinterpret_cast<HWND>(m_nextHandle.fetch_add(1, std::memory_order_relaxed));
}

void WindowTable::Insert(std::shared_ptr<Window> window) {
    std::lock_guard lock(m_mutex);
    HWND handle = window->handle;
    m_windows.emplace(handle, std::move(window));
}

std::shared_ptr<Window> WindowTable::Find(HWND hWnd) const {
    if (hWnd == nullptr)
        return nullptr;
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(hWnd);
    return it == m_windows.end() ? nullptr : it->second;
}

std::shared_ptr<Window> WindowTable::FindOwn(HWND hWnd) const {
    std::shared_ptr<Window> window = Find(hWnd);
    return window && window->threadId == GetCurrentThreadId() ? window : nullptr;
}

void WindowTable::Remove(HWND hWnd) {
    std::lock_guard lock(m_mutex);
    m_windows.erase(hWnd);
}

}  // namespace win
