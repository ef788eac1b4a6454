#include "platform/afx/CWnd.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using wintest::TestThread;

namespace {

constexpr UINT kAsk = WM_USER + 1;

class CRecordingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == kAsk)
            return static_cast<LRESULT>(wParam) * 3;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> messages;
};

// Deletes itself with its window, as framework windows that own themselves do.
class CSelfDeletingWnd : public CWnd {
public:
    explicit CSelfDeletingWnd(bool& deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWnd() override { m_deleted = true; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            delete this;
        return result;
    }

private:
    bool& m_deleted;
};

class CWndTest : public wintest::WinTest {};

TEST_F(CWndTest, AMessageOnlyWindowRoutesItsMessagesToTheObject) {
    CRecordingWnd wnd;
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    ASSERT_TRUE(wnd.CreateMessageOnly());
    HWND hWnd = wnd.GetSafeHwnd();
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_FALSE(wnd.CreateMessageOnly());
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);

    EXPECT_EQ(wnd.SendMessage(kAsk, 14), 42);
    EXPECT_EQ(::SendMessageW(hWnd, kAsk, 2, 0), 6);
    ASSERT_TRUE(wnd.PostMessage(WM_USER + 2));
    ASSERT_TRUE(wintest::PumpUntil([&] { return wnd.messages.size() == 3; }));

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.messages, (std::vector<UINT>{kAsk, kAsk, WM_USER + 2, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_FALSE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.SendMessage(kAsk, 1), 0);
}

TEST_F(CWndTest, TheObjectDestroysItsWindow) {
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateMessageOnly());
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(CWndTest, WmCloseDestroysAndDetaches) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageOnly());
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.messages, (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(CWndTest, AnObjectMayDeleteItselfWithItsWindow) {
    bool deleted = false;
    auto* wnd = new CSelfDeletingWnd(deleted);
    ASSERT_TRUE(wnd->CreateMessageOnly());
    HWND hWnd = wnd->m_hWnd;
    EXPECT_TRUE(wnd->DestroyWindow());
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(CWndTest, AttachBindsOneObjectToAWindowAndDetachLetsItGo) {
    wintest::Handler handler = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 5; };
    HWND hWnd = wintest::CreateHandlerWindow(handler);
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hWnd));
    EXPECT_FALSE(second.Attach(hWnd));
    EXPECT_FALSE(first.Attach(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &first);
    // The window keeps its own procedure; the object only names it.
    EXPECT_EQ(first.SendMessage(WM_USER), 5);

    EXPECT_EQ(first.Detach(), hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_TRUE(IsWindow(hWnd));
    ASSERT_TRUE(second.Attach(hWnd));
    EXPECT_TRUE(second.DestroyWindow());
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(first.Attach(hWnd));
}

TEST_F(CWndTest, AWorkerReportsToTheWindowOfAnotherThreadBySendingGuardedByIsWindow) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageOnly());
    std::atomic<CWnd*> notify{&wnd};
    std::vector<LRESULT> results;
    std::atomic<bool> finished{false};
    TestThread worker([&] {
        for (WPARAM i = 1; i <= 3; ++i) {
            CWnd* target = notify;
            if (target != nullptr && IsWindow(target->GetSafeHwnd()))
                results.push_back(::SendMessageW(target->GetSafeHwnd(), kAsk, i, 0));
        }
        finished = true;
    });
    ASSERT_TRUE(wintest::PumpUntil([&] { return finished.load(); }));
    worker.Join();
    EXPECT_EQ(results, (std::vector<LRESULT>{3, 6, 9}));
    EXPECT_EQ(wnd.messages, (std::vector<UINT>{kAsk, kAsk, kAsk}));
}

}  // namespace
