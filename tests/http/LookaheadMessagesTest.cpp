#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "hostlibs/run/RunContext.h"
#include "contracts/host/CExtenUrlChecker.h"
#include "contracts/host/CUrlEngineer.h"
#include "platform/afx/CWnd.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinUser.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/http/SocketServer.h"

using namespace httptest;
using namespace std::chrono_literals;

namespace {

constexpr UINT kQuit = WM_USER + 1;
constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

using Received = std::vector<std::pair<UINT, CString>>;

// The dialog's side: a window with a list of ticked links on a thread of its own, keeping the status
// line each checker message would show.
class LinkDialog : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kQuit) {
            PostQuitMessage(0);
            return 0;
        }
        if (message < WM_HTTP_CONNECTING || message > WM_HTTP_STATUS_CLEAR)
            return CWnd::WindowProc(message, wParam, lParam);
        const CUrlEngineer* engine = CUrlEngineer::getInstance();
        const auto host = static_cast<unsigned int>(wParam);
        CString line;
        if (message == WM_HTTP_CONNECTING)
            line = engine->getHttpConnecting(host, static_cast<long>(lParam));
        else if (message == WM_HTTP_CONNECTED)
            line = engine->getHttpConnected(host, static_cast<long>(lParam));
        else if (message == WM_HTTP_PROCESS_DONE)
            line = engine->getHttpProcessDone(host, static_cast<long>(lParam));
        const std::lock_guard lock(mutex_);
        received_.emplace_back(message, line);
        return 0;
    }

    void addList(const std::vector<std::string>& links) {
        HWND list = CreateWindowExW(0, u"SysListView32", u"", WS_CHILD | LVS_REPORT, 0, 0, 40, 10, GetSafeHwnd(),
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(3000)), nullptr, nullptr);
        ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 30;
        column.pszText = const_cast<LPWSTR>(u"URL");
        ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        for (std::size_t row = 0; row < links.size(); ++row) {
            std::u16string text = CString::FromUtf8(links[row]).ToStdString();
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.pszText = text.data();
            ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            item.stateMask = LVIS_STATEIMAGEMASK;
            item.state = kTicked;
            ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        }
    }

    Received received() const {
        const std::lock_guard lock(mutex_);
        return received_;
    }

private:
    mutable std::mutex mutex_;
    Received received_;
};

class DialogThread {
public:
    explicit DialogThread(const std::vector<std::string>& links) {
        std::promise<LinkDialog*> made;
        auto window = made.get_future();
        thread_ = std::thread([&made, &links] {
            LinkDialog dialog;
            dialog.CreateMessageOnly();
            dialog.addList(links);
            made.set_value(&dialog);
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

    LinkDialog* window() const { return window_; }

private:
    std::thread thread_;
    LinkDialog* window_ = nullptr;
};

// Asks for every link in the list's order as the worker of one run does, with the limits given.
Received runOver(const std::vector<std::string>& links, int parallel) {
    tarn::RunOptions options;
    options.requests.parallel = parallel;
    const tarn::RunScope run(std::make_shared<tarn::RunContext>(std::move(options)));
    DialogThread dialog(links);
    // What Start does before the worker begins.
    CUrlEngineer::getInstance()->setStopRequired(false);
    CExtenUrlChecker checker;
    checker.ownerWnd = dialog.window();
    for (const std::string& link : links)
        check(checker, link);
    return dialog.window()->received();
}

}  // namespace

// The status line tells of the link the worker asks about, the same with the look-ahead as without.
TEST(LookaheadMessages, AreThoseOfOneRequestAtATime) {
    LoopbackServer server;
    server.server().Get("/missing",
                        [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
    server.server().Get("/slow",
                        [](const httplib::Request&, httplib::Response&) { std::this_thread::sleep_for(100ms); });
    server.start();
    const std::vector<std::string> links = {server.url("/ok"), server.url("/missing"), server.url("/slow"),
                                            "http://127.0.0.1:" + std::to_string(closedPort()) + "/",
                                            server.url("/ok")};
    const Received oneAtATime = runOver(links, 1);
    const int requests = server.requests();
    const Received ahead = runOver(links, 16);
    EXPECT_EQ(ahead, oneAtATime);
    // The second /ok is the first one's answer again.
    EXPECT_EQ(server.requests() - requests, requests - 1);
}
