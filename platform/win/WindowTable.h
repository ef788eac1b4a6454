#pragma once

#include "platform/win/Window.h"
#include "platform/win/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace win {

// Every live window of the process by handle. Handles come from a counter and are never given twice, so a
// handle kept after its window died can never name another window.
class WindowTable {
public:
    static WindowTable& Instance();

    HWND NewHandle();
    void Insert(std::shared_ptr<Window> window);
    // The live window, or null.
    std::shared_ptr<Window> Find(HWND hWnd) const;
    // The live window when it belongs to the calling thread, or null.
    std::shared_ptr<Window> FindOwn(HWND hWnd) const;
    void Remove(HWND hWnd);

private:
    WindowTable() = default;

    std::atomic<std::uintptr_t> m_nextHandle{0x10000};
    mutable std::mutex m_mutex;
    std::unordered_map<HWND, std::shared_ptr<Window>> m_windows;
};

}  // namespace win
