#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "contracts/host/CExtenUrlChecker.h"
#include "contracts/host/CUrlEngineer.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinUser.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/http/SocketServer.h"

using namespace httptest;

namespace {

constexpr UINT kQuit = WM_USER + 1;

using Received = std::vector<std::pair<UINT, CString>>;

// The dialog's side: a window on its own thread that shows each message as the status line would.
class StatusWindow : public CWnd {
public:
    explicit StatusWindow(std::function<void(UINT)> onMessage) : onMessage_(std::move(onMessage)) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kQuit) {
            PostQuitMessage(0);
            return 0;
        }
        if (message < WM_HTTP_CONNECTING || message > WM_HTTP_STATUS_CLEAR)
            return CWnd::WindowProc(message, wParam, lParam);
        const CUrlEngineer* engine = CUrlEngineer::getInstance();
        CString line;
        if (message == WM_HTTP_CONNECTING)
            line = engine->getHttpConnecting(static_cast<unsigned int>(wParam), static_cast<long>(lParam));
        else if (message == WM_HTTP_CONNECTED)
            line = engine->getHttpConnected(static_cast<unsigned int>(wParam), static_cast<long>(lParam));
        else if (message == WM_HTTP_PROCESS_DONE)
            line = engine->getHttpProcessDone(static_cast<unsigned int>(wParam), static_cast<long>(lParam));
        {
            const std::lock_guard lock(mutex_);
            received_.emplace_back(message, line);
        }
        if (onMessage_)
            onMessage_(message);
        return 0;
    }

    Received received() const {
        const std::lock_guard lock(mutex_);
        return received_;
    }

private:
    std::function<void(UINT)> onMessage_;
    mutable std::mutex mutex_;
    Received received_;
};

// Runs a StatusWindow and its message loop on a thread of its own until destroyed.
class DialogThread {
public:
    explicit DialogThread(std::function<void(UINT)> onMessage = {}) {
        std::promise<StatusWindow*> made;
        auto window = made.get_future();
        thread_ = std::thread([made = std::move(made), onMessage = std::move(onMessage)]() mutable {
            StatusWindow status(onMessage);
            status.CreateMessageOnly();
            made.set_value(&status);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
        });
        window_ = window.get();
    }
    DialogThread(const DialogThread&) = delete;
    DialogThread& operator=(const DialogThread&) = delete;
    ~DialogThread() {
        PostMessageW(window_->GetSafeHwnd(), kQuit, 0, 0);
        thread_.join();
    }

    CWnd* window() const { return window_; }
    Received received() const { return window_->received(); }

private:
    std::thread thread_;
    StatusWindow* window_ = nullptr;
};

std::vector<UINT> messagesOf(const Received& received) {
    std::vector<UINT> messages;
    for (const auto& [message, line] : received)
        messages.push_back(message);
    return messages;
}

}  // namespace

TEST(Messages, ArriveInOrderWithTheStatusLines) {
    LoopbackServer server;
    server.server().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
    });
    server.start();
    DialogThread dialog;
    CExtenUrlChecker checker;
    checker.ownerWnd = dialog.window();
    EXPECT_EQ(check(checker, server.url("/missing")), (Answer{true, 404}));

    const Received received = dialog.received();
    ASSERT_EQ(messagesOf(received),
              (std::vector<UINT>{WM_HTTP_CONNECTING, WM_HTTP_CONNECTED, WM_HTTP_PROCESS_DONE, WM_HTTP_STATUS_CLEAR}));
    EXPECT_EQ(received[0].second, CString::FromUtf8("127.0.0.1 に接続しています..."));
    EXPECT_EQ(received[1].second, CString::FromUtf8("127.0.0.1 に接続しました。応答を待っています..."));
    EXPECT_EQ(received[2].second, CString::FromUtf8("127.0.0.1 から応答を受信しました: 404 Not Found"));
}

TEST(Messages, NoAnswerSkipsTheAnswerMessage) {
    DialogThread dialog;
    CExtenUrlChecker checker;
    checker.ownerWnd = dialog.window();
    EXPECT_EQ(check(checker, "http://127.0.0.1:" + std::to_string(closedPort()) + "/"), kNoAnswer);
    EXPECT_EQ(messagesOf(dialog.received()), (std::vector<UINT>{WM_HTTP_CONNECTING, WM_HTTP_STATUS_CLEAR}));

    SocketServer dropped("");
    EXPECT_EQ(check(checker, dropped.url("/")), kNoAnswer);
    EXPECT_EQ(messagesOf(dialog.received()), (std::vector<UINT>{WM_HTTP_CONNECTING, WM_HTTP_STATUS_CLEAR, WM_HTTP_CONNECTING,
                                                                WM_HTTP_CONNECTED, WM_HTTP_STATUS_CLEAR}));
}

TEST(Messages, NothingIsSentWhileStopped) {
    LoopbackServer server;
    server.start();
    DialogThread dialog;
    CExtenUrlChecker checker;
    checker.ownerWnd = dialog.window();
    {
        const StopRequired stop;
        EXPECT_EQ(check(checker, server.url("/ok")), kNoAnswer);
    }
    EXPECT_TRUE(dialog.received().empty());
}

// Stop pressed while the dialog handles a message: close() from the dialog's thread, with the worker
// blocked in SendMessageW, must neither wait for the worker nor deadlock.
TEST(Messages, CloseFromTheDialogWhileItHandlesAMessage) {
    LoopbackServer server;
    server.server().Get("/stall", [&server](const httplib::Request&, httplib::Response&) {
        server.waitForRelease();
    });
    server.start();
    CExtenUrlChecker checker;
    bool stopOnce = true;
    DialogThread dialog([&](UINT message) {
        if (message == WM_HTTP_CONNECTED && std::exchange(stopOnce, false))
            checker.close();
    });
    checker.ownerWnd = dialog.window();
    const auto start = Clock::now();
    EXPECT_EQ(check(checker, server.url("/stall")), kNoAnswer);
    EXPECT_LT(millisecondsSince(start), 5000);
    EXPECT_EQ(messagesOf(dialog.received()),
              (std::vector<UINT>{WM_HTTP_CONNECTING, WM_HTTP_CONNECTED, WM_HTTP_STATUS_CLEAR}));

    EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
}
