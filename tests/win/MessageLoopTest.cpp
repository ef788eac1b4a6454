#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using wintest::Handler;
using wintest::TestThread;
using wintest::WindowThread;

namespace {

class MessageLoopTest : public wintest::WinTest {
protected:
    void TearDown() override {
        // Leaves the queue empty for the next test on this thread, whatever this one left in it.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    std::vector<MSG> handled;
    Handler recorder = [this](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        handled.push_back(MSG{hWnd, message, wParam, lParam, 0});
        return static_cast<LRESULT>(message);
    };
};

TEST_F(MessageLoopTest, GetMessageTakesPostedMessagesInOrderThenQuit) {
    HWND hWnd = wintest::CreateHandlerWindow(recorder);
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER + 1, 10, 11));
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER + 2, 20, 21));
    PostQuitMessage(5);
    // Quit comes after the posted messages, even those posted after it.
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER + 3, 30, 31));

    MSG msg;
    std::vector<UINT> taken;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) == TRUE) {
        taken.push_back(msg.message);
        EXPECT_EQ(DispatchMessageW(&msg), static_cast<LRESULT>(msg.message));
    }
    EXPECT_EQ(got, FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(taken, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
    ASSERT_EQ(handled.size(), 3u);
    EXPECT_EQ(handled[1].hwnd, hWnd);
    EXPECT_EQ(handled[1].wParam, 20u);
    EXPECT_EQ(handled[1].lParam, 21);
    // The quit request was taken with it.
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(hWnd);
}

TEST_F(MessageLoopTest, PostQuitMessageEndsTheLoopOfAnotherThreadWindow) {
    std::atomic<int> seen{0};
    WindowThread other([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_USER)
            ++seen;
        if (message == WM_CLOSE)
            PostQuitMessage(0);
        return 0;
    });
    ASSERT_TRUE(PostMessageW(other.Hwnd(), WM_USER, 0, 0));
    ASSERT_TRUE(PostMessageW(other.Hwnd(), WM_CLOSE, 0, 0));
    // The thread leaves its loop on its own; joining it proves GetMessageW returned FALSE.
    other.Stop();
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(IsWindow(other.Hwnd()));
}

TEST_F(MessageLoopTest, PeekLeavesOrTakesAsAsked) {
    HWND hWnd = wintest::CreateHandlerWindow(recorder);
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER, 1, 2));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

    PostQuitMessage(9);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(hWnd);
}

TEST_F(MessageLoopTest, FiltersChooseByWindowAndNumberButQuitPassesEvery) {
    HWND hFirst = wintest::CreateHandlerWindow(recorder);
    HWND hSecond = wintest::CreateHandlerWindow(recorder);
    ASSERT_TRUE(PostMessageW(hFirst, WM_USER + 1, 0, 0));
    ASSERT_TRUE(PostMessageW(hSecond, WM_USER + 2, 0, 0));
    ASSERT_TRUE(PostMessageW(hFirst, WM_USER + 3, 0, 0));
    ASSERT_TRUE(PostMessageW(nullptr, WM_USER + 4, 0, 0));

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hSecond, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 3, WM_USER + 4, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3);
    // A window filter never takes messages posted to the thread itself.
    ASSERT_TRUE(PeekMessageW(&msg, hFirst, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_FALSE(PeekMessageW(&msg, hFirst, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&msg, hSecond, 0, 0, PM_REMOVE));

    PostQuitMessage(0);
    ASSERT_TRUE(PeekMessageW(&msg, hSecond, WM_USER + 100, WM_USER + 100, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    // What was posted to the thread (null window) comes back with a null window and dispatches to nothing.
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 4);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(DispatchMessageW(&msg), 0);
    EXPECT_TRUE(handled.empty());
    DestroyWindow(hFirst);
    DestroyWindow(hSecond);
}

TEST_F(MessageLoopTest, GetMessageRefusesAWindowThatIsNotAliveHere) {
    WindowThread other([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    HWND hDead = wintest::CreateHandlerWindow(recorder);
    DestroyWindow(hDead);
    MSG msg;
    EXPECT_EQ(GetMessageW(&msg, hDead, 0, 0), -1);
    EXPECT_EQ(GetMessageW(&msg, other.Hwnd(), 0, 0), -1);
    EXPECT_EQ(GetMessageW(nullptr, nullptr, 0, 0), -1);
    EXPECT_FALSE(PeekMessageW(&msg, other.Hwnd(), 0, 0, PM_REMOVE));
}

TEST_F(MessageLoopTest, DispatchRunsOnlyWindowsOfTheCallingThread) {
    std::atomic<int> calls{0};
    WindowThread other([&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
        ++calls;
        return 1;
    });
    const MSG foreign{other.Hwnd(), WM_USER, 0, 0, 0};
    EXPECT_EQ(DispatchMessageW(&foreign), 0);
    EXPECT_EQ(DispatchMessageW(nullptr), 0);
    other.Stop();
    EXPECT_EQ(calls, 0);
}

TEST_F(MessageLoopTest, MsgWaitForMessagesWaitsForInputOrTheTimeout) {
    EXPECT_EQ(MsgWaitForMessages(0), WAIT_TIMEOUT);
    EXPECT_EQ(MsgWaitForMessages(20), WAIT_TIMEOUT);
    HWND hWnd = wintest::CreateHandlerWindow(recorder);
    // A post from another thread wakes the wait; it runs nothing by itself.
    TestThread poster([hWnd] { PostMessageW(hWnd, WM_USER, 0, 0); });
    EXPECT_EQ(MsgWaitForMessages(INFINITE), WAIT_OBJECT_0);
    poster.Join();
    EXPECT_EQ(MsgWaitForMessages(0), WAIT_OBJECT_0);
    EXPECT_TRUE(handled.empty());
    PostQuitMessage(0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(MsgWaitForMessages(0), WAIT_TIMEOUT);
    DestroyWindow(hWnd);
}

}  // namespace
