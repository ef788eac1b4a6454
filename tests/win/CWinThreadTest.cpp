#include "platform/afx/CWinThread.h"
#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

using wintest::Signal;

namespace {

struct ThreadContext {
    Signal go;        // the test has looked at the thread object
    Signal windowUp;  // the thread has made its window
    DWORD threadId = 0;
    HWND hWnd = nullptr;
    wintest::Handler handler = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 7; };
};

UINT MakeWindowAndEnd(LPVOID pParam) {
    auto* context = static_cast<ThreadContext*>(pParam);
    context->threadId = GetCurrentThreadId();
    context->hWnd = wintest::CreateHandlerWindow(context->handler);
    context->windowUp.Set();
    context->go.WaitFor();
    return 0;
}

class CWinThreadTest : public wintest::WinTest {};

TEST_F(CWinThreadTest, RunsTheProcedureOnANewThreadWhoseWindowsDieWhenItEnds) {
    ThreadContext context;
    CWinThread* pThread = AfxBeginThread(MakeWindowAndEnd, &context);
    ASSERT_NE(pThread, nullptr);
    ASSERT_TRUE(context.windowUp.WaitFor());
    // The procedure is still running, so the object is still there.
    EXPECT_TRUE(pThread->m_bAutoDelete);
    EXPECT_EQ(pThread->m_nThreadID, context.threadId);
    EXPECT_NE(context.threadId, GetCurrentThreadId());
    EXPECT_TRUE(IsWindow(context.hWnd));
    EXPECT_EQ(GetWindowThreadProcessId(context.hWnd, nullptr), context.threadId);

    // From here the object deletes itself (a leak would fail the sanitizer build). The send waits for the
    // window's thread, which never pumps: it returns 0 when the thread ends and its window dies.
    context.go.Set();
    EXPECT_EQ(SendMessageW(context.hWnd, WM_USER, 0, 0), 0);
    EXPECT_FALSE(IsWindow(context.hWnd));
}

TEST_F(CWinThreadTest, KeepsTheObjectWhenAutoDeleteIsCleared) {
    ThreadContext context;
    CWinThread* pThread = AfxBeginThread(MakeWindowAndEnd, &context, 0, 0, 0, nullptr);
    ASSERT_NE(pThread, nullptr);
    ASSERT_TRUE(context.windowUp.WaitFor());
    pThread->m_bAutoDelete = FALSE;
    context.go.Set();
    EXPECT_EQ(SendMessageW(context.hWnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(pThread->m_nThreadID, context.threadId);
    EXPECT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CWinThread)));
    delete pThread;
}

TEST_F(CWinThreadTest, NoProcedureStartsNoThread) { EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr); }

// The host waits for a worker's last steps instead of polling for them: while a procedure runs the wait
// times out, and it ends as soon as the procedure has returned.
TEST_F(CWinThreadTest, TheHostCanWaitForEveryThreadToEnd) {
    EXPECT_TRUE(AfxWaitForThreadsToEnd(0));
    ThreadContext context;
    ASSERT_NE(AfxBeginThread(MakeWindowAndEnd, &context), nullptr);
    ASSERT_TRUE(context.windowUp.WaitFor());
    EXPECT_FALSE(AfxWaitForThreadsToEnd(20));
    context.go.Set();
    EXPECT_TRUE(AfxWaitForThreadsToEnd(10000));
}

}  // namespace
