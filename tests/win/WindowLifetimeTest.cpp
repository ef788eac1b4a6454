#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <set>
#include <vector>

using wintest::Handler;
using wintest::Signal;
using wintest::TestThread;
using wintest::WindowThread;

namespace {

class WindowLifetimeTest : public wintest::WinTest {};

TEST_F(WindowLifetimeTest, ADestroyedWindowIsDeadForEveryCallAndItsHandleIsNeverGivenAgain) {
    int calls = 0;
    Handler handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_USER)
            ++calls;
        return 1;
    };
    std::set<HWND> seen;
    for (int i = 0; i < 1000; ++i) {
        HWND hWnd = wintest::CreateHandlerWindow(handler);
        ASSERT_NE(hWnd, nullptr);
        ASSERT_TRUE(seen.insert(hWnd).second) << "handle given twice";
        ASSERT_TRUE(IsWindow(hWnd));
        ASSERT_TRUE(DestroyWindow(hWnd));
        ASSERT_FALSE(IsWindow(hWnd));
    }
    HWND hDead = *seen.begin();
    EXPECT_FALSE(PostMessageW(hDead, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageW(hDead, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetWindowUserData(hDead), nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(hDead, nullptr), 0u);
    EXPECT_FALSE(DestroyWindow(hDead));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_EQ(CreateMessageWindow(nullptr, nullptr), nullptr);
}

TEST_F(WindowLifetimeTest, DestroySendsDestroyThenNcDestroyAndDropsWhatWasQueued) {
    std::vector<UINT> handled;
    std::vector<bool> aliveDuring;
    Handler handler = [&](HWND hWnd, UINT message, WPARAM, LPARAM) -> LRESULT {
        handled.push_back(message);
        aliveDuring.push_back(IsWindow(hWnd) != FALSE);
        if (message == WM_DESTROY) {
            EXPECT_FALSE(DestroyWindow(hWnd)) << "a window is destroyed once";
        }
        return 0;
    };
    HWND hWnd = wintest::CreateHandlerWindow(handler);
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER, 0, 0));
    ASSERT_TRUE(DestroyWindow(hWnd));
    EXPECT_EQ(handled, (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(aliveDuring, (std::vector<bool>{true, true}));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowLifetimeTest, OnlyTheOwnerThreadDestroys) {
    WindowThread owner([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_FALSE(DestroyWindow(owner.Hwnd()));
    EXPECT_TRUE(IsWindow(owner.Hwnd()));
    EXPECT_EQ(GetWindowThreadProcessId(owner.Hwnd(), nullptr), owner.ThreadId());
    DWORD processId = 0;
    GetWindowThreadProcessId(owner.Hwnd(), &processId);
    EXPECT_EQ(processId, static_cast<DWORD>(getpid()));
    EXPECT_NE(owner.ThreadId(), GetCurrentThreadId());
}

TEST_F(WindowLifetimeTest, DefWindowProcDestroysOnClose) {
    Handler handler = [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    };
    HWND hWnd = wintest::CreateHandlerWindow(handler);
    EXPECT_EQ(SendMessageW(hWnd, WM_USER, 0, 0), 0);
    EXPECT_TRUE(IsWindow(hWnd));
    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(WindowLifetimeTest, WindowsDieWithTheirThreadAndTheirHandlesStayDead) {
    Handler handler = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; };
    std::vector<HWND> theirs;
    Signal made;
    Signal end;
    TestThread owner([&] {
        for (int i = 0; i < 3; ++i)
            theirs.push_back(wintest::CreateHandlerWindow(handler));
        made.Set();
        end.WaitFor();
    });
    ASSERT_TRUE(made.WaitFor());
    for (HWND hWnd : theirs)
        EXPECT_TRUE(IsWindow(hWnd));
    end.Set();
    owner.Join();
    for (HWND hWnd : theirs) {
        EXPECT_FALSE(IsWindow(hWnd));
        EXPECT_FALSE(PostMessageW(hWnd, WM_USER, 0, 0));
        EXPECT_EQ(SendMessageW(hWnd, WM_USER, 0, 0), 0);
    }
    HWND hMine = wintest::CreateHandlerWindow(handler);
    for (HWND hWnd : theirs)
        EXPECT_NE(hMine, hWnd);
    DestroyWindow(hMine);
}

TEST_F(WindowLifetimeTest, WindowsComeAndGoWhileOtherThreadsLookAtThem) {
    constexpr int kRounds = 2000;
    Handler handler = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; };
    std::atomic<HWND> latest{nullptr};
    std::atomic<bool> done{false};
    auto look = [&] {
        while (!done) {
            HWND hWnd = latest;
            IsWindow(hWnd);
            PostMessageW(hWnd, WM_USER, 0, 0);
            GetWindowUserData(hWnd);
        }
    };
    TestThread first(look);
    TestThread second(look);
    for (int i = 0; i < kRounds; ++i) {
        HWND hWnd = wintest::CreateHandlerWindow(handler);
        latest = hWnd;
        DestroyWindow(hWnd);
    }
    done = true;
    first.Join();
    second.Join();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "posts to destroyed windows were dropped";
}

}  // namespace
