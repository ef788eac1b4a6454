#include "platform/win/WinBase.h"

#include <atomic>
#include <chrono>
#include <thread>

DWORD GetCurrentThreadId() {
    static std::atomic<DWORD> nextId{1};
    thread_local const DWORD id = nextId.fetch_add(1, std::memory_order_relaxed);
    return id;
}

void Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
