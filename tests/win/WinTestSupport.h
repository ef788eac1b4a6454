#pragma once

#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace wintest {

// How long any wait in these tests may take before it counts as a hang.
inline constexpr DWORD kPatienceMs = 10000;
inline constexpr std::chrono::milliseconds kPatience{kPatienceMs};

// A one-shot event between threads, waited for with a time limit.
class Signal {
public:
    void Set();
    bool IsSet();
    bool WaitFor(std::chrono::milliseconds timeout = kPatience);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;
};

// Ends the test process when a test is still running after `limit`, so a hang fails instead of blocking.
class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit);
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog();

private:
    std::mutex m_mutex;
    std::condition_variable m_disarmed;
    bool m_done = false;
    std::thread m_thread;
};

// The base of the suites here: every test runs under a watchdog.
class WinTest : public ::testing::Test {
private:
    Watchdog m_watchdog{6 * kPatience};
};

// A window procedure as a function object. The window's user data points at it, so it must outlive the window.
using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
HWND CreateHandlerWindow(Handler& handler);

// A thread whose body has finished once Finished() is set; it is joined only after a bounded wait for that.
class TestThread {
public:
    explicit TestThread(std::function<void()> body);
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;
    ~TestThread();

    // Waits for the body to return, then for the thread to end (its windows die on the way). Aborts the
    // test process when the body does not return in time.
    void Join();

private:
    Signal m_finished;
    std::thread m_thread;
};

// A thread that owns a window handled by `handler` and runs a message loop until Stop().
class WindowThread {
public:
    explicit WindowThread(Handler handler);
    ~WindowThread();

    HWND Hwnd() const { return m_hwnd; }
    DWORD ThreadId() const { return m_threadId; }
    // Ends the loop and the thread; the thread's windows die.
    void Stop();

private:
    void Run();

    Handler m_handler;
    Handler m_control;
    HWND m_hwnd = nullptr;
    HWND m_controlHwnd = nullptr;
    DWORD m_threadId = 0;
    Signal m_ready;
    bool m_stopped = false;
    TestThread m_thread;
};

// Runs the calling thread's messages until done() holds or the patience runs out; returns done().
bool PumpUntil(const std::function<bool()>& done);

}  // namespace wintest
