#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

using wintest::Handler;
using wintest::Signal;
using wintest::TestThread;
using wintest::WindowThread;

namespace {

constexpr UINT kAsk = WM_USER + 1;
constexpr UINT kNested = WM_USER + 2;
constexpr UINT kPosted = WM_USER + 3;
constexpr UINT kGo = WM_USER + 4;
constexpr UINT kBusy = WM_USER + 5;

class SendMessageTest : public wintest::WinTest {};

TEST_F(SendMessageTest, OnTheOwnerThreadIsADirectCallEvenWhenNested) {
    DWORD ranOn = 0;
    Handler handler = [&](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        ranOn = GetCurrentThreadId();
        if (message == kAsk)
            return static_cast<LRESULT>(wParam) * 2 + lParam;
        if (message == kNested)
            return SendMessageW(hWnd, kAsk, wParam, 0) + 1;
        return DefWindowProcW(hWnd, message, wParam, lParam);
    };
    HWND hWnd = wintest::CreateHandlerWindow(handler);

    EXPECT_EQ(SendMessageW(hWnd, kAsk, 20, 2), 42);
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    EXPECT_EQ(SendMessageW(hWnd, kNested, 5, 0), 11);
    // Nothing went through the queue.
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(hWnd);
}

TEST_F(SendMessageTest, FromAnotherThreadWaitsUntilTheOwnerRunsItAndReturnsItsResult) {
    std::atomic<DWORD> ranOn{0};
    Handler handler = [&](HWND, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        ranOn = GetCurrentThreadId();
        return static_cast<LRESULT>(wParam) + 1;
    };
    HWND hWnd = wintest::CreateHandlerWindow(handler);

    std::atomic<bool> returned{false};
    std::atomic<LRESULT> result{0};
    TestThread sender([&] {
        result = SendMessageW(hWnd, kAsk, 41, 0);
        returned = true;
    });
    // The sent message is the only thing that can arrive; until this thread takes it the sender stays blocked.
    ASSERT_EQ(MsgWaitForMessages(wintest::kPatienceMs), WAIT_OBJECT_0);
    Sleep(20);
    EXPECT_FALSE(returned);
    EXPECT_EQ(ranOn, 0u);

    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));  // runs it; nothing was posted
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    sender.Join();
    EXPECT_EQ(result, 42);
    DestroyWindow(hWnd);
}

TEST_F(SendMessageTest, GetMessageRunsSentMessagesWithoutReturningThem) {
    std::vector<UINT> handled;
    Handler handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        handled.push_back(message);
        return 7;
    };
    HWND hWnd = wintest::CreateHandlerWindow(handler);
    std::atomic<LRESULT> result{0};
    TestThread sender([&] {
        result = SendMessageW(hWnd, kAsk, 0, 0);
        PostMessageW(hWnd, kPosted, 0, 0);
    });

    MSG msg;
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, kPosted);
    EXPECT_EQ(handled, std::vector<UINT>{kAsk});
    EXPECT_EQ(result, 7);
    sender.Join();
    DestroyWindow(hWnd);
}

TEST_F(SendMessageTest, SentMessagesRunBeforePostedOnes) {
    std::vector<UINT> handled;
    Handler mine = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        handled.push_back(message);
        return 0;
    };
    HWND hMine = wintest::CreateHandlerWindow(mine);
    WindowThread other([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == kGo)
            SendMessageW(hMine, kAsk, 0, 0);
        return 0;
    });

    // The posted message is older, but while this thread waits in its own send it runs only the sent one.
    ASSERT_TRUE(PostMessageW(hMine, kPosted, 0, 0));
    SendMessageW(other.Hwnd(), kGo, 0, 0);
    EXPECT_EQ(handled, std::vector<UINT>{kAsk});

    // A filter that passes no posted message still runs the sent messages waiting in the queue.
    std::atomic<bool> sent{false};
    TestThread sender([&] {
        SendMessageW(hMine, kNested, 0, 0);
        sent = true;
    });
    MSG msg;
    const auto deadline = std::chrono::steady_clock::now() + wintest::kPatience;
    while (!sent && std::chrono::steady_clock::now() < deadline) {
        PeekMessageW(&msg, hMine, kGo, kGo, PM_NOREMOVE);
        Sleep(1);
    }
    sender.Join();
    EXPECT_EQ(handled, (std::vector<UINT>{kAsk, kNested}));

    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kPosted);
    DestroyWindow(hMine);
}

TEST_F(SendMessageTest, TwoThreadsSendingToEachOtherServeEachOther) {
    HWND hMine = nullptr;
    std::atomic<int> mineRanElsewhere{0};
    std::atomic<int> otherRanElsewhere{0};
    const DWORD myThread = GetCurrentThreadId();
    WindowThread other([&](HWND hWnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message != kAsk)
            return 0;
        if (GetWindowThreadProcessId(hWnd, nullptr) != GetCurrentThreadId())
            ++otherRanElsewhere;
        return wParam == 0 ? 0 : SendMessageW(hMine, kAsk, wParam - 1, 0) + 1;
    });
    Handler mine = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message != kAsk)
            return 0;
        if (GetCurrentThreadId() != myThread)
            ++mineRanElsewhere;
        return wParam == 0 ? 0 : SendMessageW(other.Hwnd(), kAsk, wParam - 1, 0) + 1;
    };
    hMine = wintest::CreateHandlerWindow(mine);

    // Each level of the ping-pong is answered while its sender is blocked in the level below.
    EXPECT_EQ(SendMessageW(other.Hwnd(), kAsk, 20, 0), 20);
    EXPECT_EQ(mineRanElsewhere, 0);
    EXPECT_EQ(otherRanElsewhere, 0);
    other.Stop();
    DestroyWindow(hMine);
}

TEST_F(SendMessageTest, ToAWindowDestroyedWhileTheSenderWaitsReturnsZero) {
    Signal busy;
    std::atomic<bool> askRan{false};
    WindowThread owner([&](HWND hWnd, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == kAsk) {
            askRan = true;
            return 7;
        }
        if (message == kBusy) {
            // Not pumping: the send stays queued until the window goes.
            busy.Set();
            if (MsgWaitForMessages(wintest::kPatienceMs) == WAIT_OBJECT_0)
                DestroyWindow(hWnd);
        }
        return 0;
    });
    HWND hWnd = owner.Hwnd();
    ASSERT_TRUE(PostMessageW(hWnd, kBusy, 0, 0));
    ASSERT_TRUE(busy.WaitFor());

    EXPECT_EQ(SendMessageW(hWnd, kAsk, 0, 0), 0);
    EXPECT_FALSE(askRan);
    EXPECT_FALSE(IsWindow(hWnd));
    // A send to the dead window returns at once and runs nothing.
    EXPECT_EQ(SendMessageW(hWnd, kAsk, 0, 0), 0);
    EXPECT_FALSE(askRan);
}

TEST_F(SendMessageTest, ToAWindowWhoseThreadEndsWhileTheSenderWaitsReturnsZero) {
    std::atomic<bool> askRan{false};
    Handler handler = [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
        askRan = true;
        return 7;
    };
    HWND hWnd = nullptr;
    Signal created;
    TestThread owner([&] {
        hWnd = wintest::CreateHandlerWindow(handler);
        created.Set();
        // Ends without pumping as soon as the send is queued.
        MsgWaitForMessages(wintest::kPatienceMs);
    });
    ASSERT_TRUE(created.WaitFor());

    EXPECT_EQ(SendMessageW(hWnd, kAsk, 0, 0), 0);
    EXPECT_FALSE(askRan);
    EXPECT_FALSE(IsWindow(hWnd));
    owner.Join();
}

}  // namespace
