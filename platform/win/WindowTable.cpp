#include "platform/win/WindowTable.h"

#include "platform/win/WinBase.h"

#include <array>
#include <cstdint>
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

// Every window function starts here, and a dialog's controls are asked thousands of times in a row, so
// each thread keeps the windows it found last. A cached window is good until it leaves the table, which
// marks it removed before it goes.
std::shared_ptr<Window> WindowTable::Find(HWND hWnd) const {
    if (hWnd == nullptr)
        return nullptr;
    constexpr std::size_t kCacheSize = 64;
    thread_local std::array<std::shared_ptr<Window>, kCacheSize> recent;
    std::shared_ptr<Window>& slot = recent[reinterpret_cast<std::uintptr_t>(hWnd) % kCacheSize];
    if (slot && slot->handle == hWnd && !slot->removed.load(std::memory_order_acquire))
        return slot;
    std::shared_ptr<Window> found;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(hWnd);
        if (it != m_windows.end())
            found = it->second;
    }
    if (found)
        slot = found;
    return found;
}

std::shared_ptr<Window> WindowTable::FindOwn(HWND hWnd) const {
    std::shared_ptr<Window> window = Find(hWnd);
    return window && window->threadId == GetCurrentThreadId() ? window : nullptr;
}

void WindowTable::Remove(HWND hWnd) {
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return;
    it->second->removed.store(true, std::memory_order_release);
    m_windows.erase(it);
}

}  // namespace win
