#include "platform/win/MessageWait.h"
#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using wintest::Handler;
using wintest::TestThread;

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kAsk = WM_USER + 1;
constexpr UINT kPosted = WM_USER + 2;
constexpr UINT kStop = WM_USER + 3;
// Enough rounds for the pauses below to sweep every moment of a wait: before it spins, while it spins,
// as it goes to sleep and while it sleeps.
constexpr int kRounds = 600;
constexpr int kLongestPauseUs = 60;

// Waits about `us` microseconds without blocking, so that what comes next lands at a chosen moment of
// the other thread's wait.
void Pause(int us) {
    const Clock::time_point end = Clock::now() + std::chrono::microseconds(us);
    while (Clock::now() < end)
        std::this_thread::yield();
}

// A pipe, closed when it leaves scope.
struct Pipe {
    Pipe() {
        if (::pipe(fds) != 0)
            std::abort();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        ::close(fds[0]);
        ::close(fds[1]);
    }

    int fds[2];
};

// A thread that owns a window and serves it, waiting for its messages with MsgWaitForMessages or with
// MsgWaitForMessagesOrFds on a pipe, until kStop. A wait that runs out of time means a lost wake-up.
class Owner {
public:
    explicit Owner(bool onFds) : m_onFds(onFds), m_thread([this] { Run(); }) {
        if (!m_ready.WaitFor())
            std::abort();
    }

    HWND Hwnd() const { return m_hwnd; }
    int PipeWriteFd() const { return m_pipe.fds[1]; }
    void Join() { m_thread.Join(); }

    std::atomic<int> posted{0};
    std::atomic<int> pipeReads{0};
    std::atomic<bool> timedOut{false};

private:
    void Run() {
        Handler handler = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
            if (message == kPosted)
                ++posted;
            // The reply, too, comes at every moment of the sender's wait.
            if (message == kAsk)
                Pause(static_cast<int>(wParam * 7 % kLongestPauseUs));
            return static_cast<LRESULT>(wParam) + 1;
        };
        m_hwnd = wintest::CreateHandlerWindow(handler);
        m_ready.Set();
        for (;;) {
            const DWORD waited = m_onFds ? MsgWaitForMessagesOrFds(&m_pipe.fds[0], 1, wintest::kPatienceMs)
                                         : MsgWaitForMessages(wintest::kPatienceMs);
            if (waited == WAIT_TIMEOUT) {
                timedOut = true;
                return;
            }
            if (waited == WAIT_OBJECT_0 + 1) {
                char byte;
                if (::read(m_pipe.fds[0], &byte, 1) == 1)
                    ++pipeReads;
                continue;
            }
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == kStop)
                    return;
                DispatchMessageW(&msg);
            }
        }
    }

    const bool m_onFds;
    Pipe m_pipe;
    HWND m_hwnd = nullptr;
    wintest::Signal m_ready;
    TestThread m_thread;
};

bool Within(const std::atomic<int>& counter, int expected) {
    const Clock::time_point deadline = Clock::now() + wintest::kPatience;
    while (counter < expected) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// Each round posts to the owner and waits until it has run the message, then sends to it; the pauses
// before them put both at every moment of the owner's wait.
void PostAndSendInEveryMomentOfTheWait(Owner& owner) {
    for (int i = 0; i < kRounds; ++i) {
        Pause(i % kLongestPauseUs);
        ASSERT_TRUE(PostMessageW(owner.Hwnd(), kPosted, 0, 0));
        ASSERT_TRUE(Within(owner.posted, i + 1)) << "a post did not wake the owner, round " << i;
        Pause(i * 13 % kLongestPauseUs);
        ASSERT_EQ(SendMessageW(owner.Hwnd(), kAsk, static_cast<WPARAM>(i), 0), i + 1) << "round " << i;
    }
}

class WakeUpTest : public wintest::WinTest {};

TEST_F(WakeUpTest, APostOrSendAlwaysWakesAThreadWaitingForMessages) {
    Owner owner(false);
    PostAndSendInEveryMomentOfTheWait(owner);
    PostMessageW(owner.Hwnd(), kStop, 0, 0);
    owner.Join();
    EXPECT_FALSE(owner.timedOut);
}

TEST_F(WakeUpTest, APostOrSendAlwaysWakesAThreadWaitingForMessagesOrFds) {
    Owner owner(true);
    PostAndSendInEveryMomentOfTheWait(owner);
    // The fd still wakes it, and only the fd: the queue is empty.
    ASSERT_EQ(::write(owner.PipeWriteFd(), "x", 1), 1);
    EXPECT_TRUE(Within(owner.pipeReads, 1));
    PostMessageW(owner.Hwnd(), kStop, 0, 0);
    owner.Join();
    EXPECT_FALSE(owner.timedOut);
    EXPECT_EQ(owner.posted, kRounds);
}

}  // namespace
