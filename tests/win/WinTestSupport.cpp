#include "tests/win/WinTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace wintest {

namespace {

constexpr UINT kQuitLoop = WM_USER + 0x3FF;

LRESULT HandlerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* handler = static_cast<Handler*>(GetWindowUserData(hWnd));
    return handler != nullptr ? (*handler)(hWnd, message, wParam, lParam)
                              : DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

void Signal::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

bool Signal::IsSet() {
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool Signal::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_set; });
}

Watchdog::Watchdog(std::chrono::milliseconds limit)
    : m_thread([this, limit] {
          std::unique_lock lock(m_mutex);
          if (!m_disarmed.wait_for(lock, limit, [this] { return m_done; })) {
              std::fputs("watchdog: the test hung\n", stderr);
              std::abort();
          }
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_disarmed.notify_all();
    m_thread.join();
}

HWND CreateHandlerWindow(Handler& handler) { return CreateMessageWindow(&HandlerProc, &handler); }

TestThread::TestThread(std::function<void()> body)
    : m_thread([this, body = std::move(body)] {
          body();
          m_finished.Set();
      }) {}

TestThread::~TestThread() { Join(); }

void TestThread::Join() {
    if (!m_thread.joinable())
        return;
    if (!m_finished.WaitFor()) {
        std::fputs("a test thread did not finish in time\n", stderr);
        std::abort();
    }
    m_thread.join();
}

WindowThread::WindowThread(Handler handler)
    : m_handler(std::move(handler)),
      m_control([](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
          if (message == kQuitLoop)
              PostQuitMessage(0);
          return 0;
      }),
      m_thread([this] { Run(); }) {
    if (!m_ready.WaitFor()) {
        std::fputs("a window thread did not start in time\n", stderr);
        std::abort();
    }
}

WindowThread::~WindowThread() { Stop(); }

void WindowThread::Stop() {
    if (m_stopped)
        return;
    m_stopped = true;
    PostMessageW(m_controlHwnd, kQuitLoop, 0, 0);
    m_thread.Join();
}

void WindowThread::Run() {
    m_hwnd = CreateHandlerWindow(m_handler);
    m_controlHwnd = CreateHandlerWindow(m_control);
    m_threadId = GetCurrentThreadId();
    m_ready.Set();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
}

bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        // done() may turn true without a message to this thread, so it is looked at every few milliseconds.
        MsgWaitForMessages(static_cast<DWORD>(std::min<long long>(left.count(), 10)));
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace wintest
