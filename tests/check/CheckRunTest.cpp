#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "module/check/LinkCheckMessages.h"
#include "platform/afx/CWnd.h"
#include "tests/http/LoopbackServer.h"
#include "tests/links/LinkTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using tarn::test::CollectedPage;

struct Report {
    UINT message;
    WPARAM index;
    LPARAM status;
    Clock::time_point at;
};

// The dialog's stand-in: a window on the test's thread that records the worker's reports.
class Recorder : public CWnd {
public:
    Recorder() { CreateMessageOnly(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LINK_CHECKING || message == WM_LINK_RESULT || message == WM_CHECK_FINISHED) {
            reports.push_back({message, wParam, lParam, Clock::now()});
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Report> reports;
};

// Pumps the test thread's messages until the run has finished (bounded), calling `idle` between
// rounds, where the user's actions happen.
bool pumpUntilFinished(Recorder& recorder, const std::function<void()>& idle = {},
                       std::chrono::seconds atMost = std::chrono::seconds(20)) {
    const auto deadline = Clock::now() + atMost;
    while (Clock::now() < deadline) {
        for (const Report& r : recorder.reports)
            if (r.message == WM_CHECK_FINISHED)
                return true;
        if (idle)
            idle();
        MsgWaitForMessages(50);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return false;
}

class CheckRun : public ::testing::Test {
protected:
    void SetUp() override {
        server.server().Get(R"(/status/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.matches[1]);
        });
        server.server().Get("/flaky", [this](const httplib::Request&, httplib::Response& res) {
            res.status = flakyCalls++ == 0 ? 404 : 200;
        });
        server.server().Get("/stall", [this](const httplib::Request&, httplib::Response&) {
            stalled = true;
            server.waitForRelease();
        });
        server.start();
    }

    // A page linking each path of the server (or a full URL when it has a scheme).
    std::unique_ptr<CollectedPage> page(const std::vector<std::string>& links) {
        std::string html;
        for (const std::string& link : links)
            html += "<a href=\"" + (link.rfind("http", 0) == 0 ? link : server.url(link)) + "\">x</a>";
        return std::make_unique<CollectedPage>(html);
    }

    // Queues every item, as Start does for ticked rows, and runs the check to its end.
    void run(CollectedPage& p, const std::function<void()>& idle = {}) {
        for (int i = 0; i < p.list->getCount(); ++i)
            p.list->getItem(i)->setCheckState(CHECK_PENDING);
        p.list->notifyWnd = &recorder;
        ASSERT_TRUE(p.list->startCheck());
        ASSERT_TRUE(pumpUntilFinished(recorder, idle));
        p.list->waitForWorker();
    }

    std::vector<Report> of(UINT message) const {
        std::vector<Report> out;
        for (const Report& r : recorder.reports)
            if (r.message == message)
                out.push_back(r);
        return out;
    }

    LoopbackServer server;
    Recorder recorder;
    std::atomic<int> flakyCalls{0};
    std::atomic<bool> stalled{false};
    // A port nothing listens on: the connection is refused.
    const std::string refused = "http://127.0.0.1:9/nothing";
};

TEST_F(CheckRun, EveryFinalStatusReachesTheResultUnchanged) {
    std::vector<std::string> links;
    std::vector<int> statuses;
    for (int s = 200; s <= 599; ++s)
        if (s != 404)  // its repeats are the next test's
            statuses.push_back(s);
    statuses.push_back(999);
    for (int s : statuses)
        links.push_back("/status/" + std::to_string(s));
    links.push_back(refused);
    auto p = page(links);
    run(*p);
    auto results = of(WM_LINK_RESULT);
    ASSERT_EQ(results.size(), links.size());
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        EXPECT_EQ(results[i].index, i);
        EXPECT_EQ(results[i].status, statuses[i]) << "link " << links[i];
    }
    EXPECT_EQ(results.back().status, 0);  // refused
    EXPECT_EQ(recorder.reports.back().message, WM_CHECK_FINISHED);
    for (int i = 0; i < p->list->getCount(); ++i)
        EXPECT_EQ(p->list->getItem(i)->checkState, CHECK_DONE);
}

TEST_F(CheckRun, WithNothingQueuedOnlyTheEndIsReported) {
    auto p = page({"/status/200"});
    p->list->notifyWnd = &recorder;
    ASSERT_TRUE(p->list->startCheck());
    ASSERT_TRUE(pumpUntilFinished(recorder));
    ASSERT_EQ(recorder.reports.size(), 1u);
    EXPECT_EQ(server.requests(), 0);
}

TEST_F(CheckRun, NotFoundIsAskedFiveTimesMoreAndNeverRemembered) {
    auto p = page({"/status/404", "/status/404"});
    const auto start = Clock::now();
    run(*p);
    // Six checks of each link, so the first did not enter the table; five pauses each. Each check is
    // one request: once the first HEAD's 404 was asked again with GET, the URL is asked with GET alone.
    EXPECT_EQ(server.requests("GET"), 12);
    EXPECT_EQ(server.requests("HEAD"), 1);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(2 * 5 * 50));
    auto results = of(WM_LINK_RESULT);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].status, 404);
    EXPECT_EQ(results[1].status, 404);
    EXPECT_EQ(of(WM_LINK_CHECKING).size(), 2u);
}

TEST_F(CheckRun, StopEndsTheNotFoundRepeatsAtOnce) {
    auto p = page({"/status/404", "/status/200"});
    Clock::time_point stoppedAt;
    run(*p, [&] {
        if (server.requests("HEAD") >= 1 && stoppedAt == Clock::time_point()) {
            stoppedAt = Clock::now();
            p->list->stopCheck();
        }
    });
    EXPECT_LT(recorder.reports.back().at - stoppedAt, std::chrono::milliseconds(200));
    EXPECT_LT(server.requests("HEAD"), 6);
    ASSERT_EQ(of(WM_LINK_RESULT).size(), 1u);
    EXPECT_EQ(of(WM_LINK_RESULT)[0].status, 0);
    EXPECT_EQ(p->list->getItem(1)->checkState, CHECK_PENDING);
}

TEST_F(CheckRun, NotFoundThenFoundIsReportedFound) {
    auto p = page({"/flaky"});
    run(*p);
    EXPECT_EQ(flakyCalls, 2);
    ASSERT_EQ(of(WM_LINK_RESULT).size(), 1u);
    EXPECT_EQ(of(WM_LINK_RESULT)[0].status, 200);
}

TEST_F(CheckRun, FailuresAreRememberedForTheRunByTheirTargetWithoutParameters) {
    auto p = page({refused, "http://127.0.0.1:9/nothing;jsessionid=ABC", "http://127.0.0.1:9/nothing?other=1",
                   "/status/200;jsessionid=1?a=b"});
    run(*p);
    auto checking = of(WM_LINK_CHECKING);
    auto results = of(WM_LINK_RESULT);
    ASSERT_EQ(results.size(), 4u);
    // The second link differs only in its parameters: answered from the table, without a request.
    ASSERT_EQ(checking.size(), 3u);
    EXPECT_EQ(checking[0].index, 0u);
    EXPECT_EQ(checking[1].index, 2u);
    EXPECT_EQ(checking[2].index, 3u);
    EXPECT_EQ(results[1].status, 0);
    // Parameters go; the query stays in the request.
    EXPECT_EQ(results[3].status, 200);
    EXPECT_EQ(server.lastTarget(), "/status/200?a=b");

    // The next run starts with an empty table: the failure is requested again.
    recorder.reports.clear();
    run(*p);
    EXPECT_EQ(of(WM_LINK_CHECKING).size(), 3u);
}

TEST_F(CheckRun, StopCutsAStalledRequestShortAndEndsTheRun) {
    auto p = page({"/status/200", "/stall", "/status/201", "/status/202"});
    Clock::time_point stoppedAt;
    // Stop once the stalled request is under way.
    run(*p, [&] {
        if (stalled && stoppedAt == Clock::time_point()) {
            stoppedAt = Clock::now();
            p->list->stopCheck();
        }
    });
    auto results = of(WM_LINK_RESULT);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].index, 1u);
    EXPECT_EQ(results[1].status, 0);
    EXPECT_LT(recorder.reports.back().at - stoppedAt, std::chrono::milliseconds(200));
    EXPECT_EQ(p->list->getItem(2)->checkState, CHECK_PENDING);
    EXPECT_EQ(p->list->getItem(3)->checkState, CHECK_PENDING);

    // The next run starts unstopped, with the same checker, and checks what was left.
    CExtenUrlChecker* checker = p->list->getChecker(false);
    recorder.reports.clear();
    p->list->getItem(1)->setCheckState(CHECK_DONE);
    p->list->notifyWnd = &recorder;
    ASSERT_TRUE(p->list->startCheck());
    ASSERT_TRUE(pumpUntilFinished(recorder));
    p->list->waitForWorker();
    EXPECT_EQ(p->list->stopRequested, 0);
    EXPECT_EQ(p->list->getChecker(false), checker);
    auto again = of(WM_LINK_RESULT);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].status, 201);
    EXPECT_EQ(again[1].status, 202);
}

TEST_F(CheckRun, WithoutAWindowTheRunGoesOnSilently) {
    auto p = page({"/status/200", "/status/500"});
    for (int i = 0; i < p->list->getCount(); ++i)
        p->list->getItem(i)->setCheckState(CHECK_PENDING);
    ASSERT_TRUE(p->list->startCheck());
    p->list->waitForWorker();
    EXPECT_EQ(p->list->workerThread.load(), nullptr);
    EXPECT_EQ(server.requests("HEAD"), 2);
    EXPECT_EQ(p->list->getItem(0)->checkState, CHECK_PENDING);
    EXPECT_EQ(p->list->getItem(1)->checkState, CHECK_PENDING);
}

TEST_F(CheckRun, DestroyingTheListMidRunStopsTheWorkerPromptly) {
    auto p = page({"/stall", "/status/200"});
    for (int i = 0; i < p->list->getCount(); ++i)
        p->list->getItem(i)->setCheckState(CHECK_PENDING);
    p->list->notifyWnd = &recorder;
    ASSERT_TRUE(p->list->startCheck());
    // Its first report is handled, then the request stalls.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!stalled && Clock::now() < deadline) {
        MsgWaitForMessages(10);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    ASSERT_TRUE(stalled);
    // The dialog's window goes first, as when the dialog ends; then the list.
    recorder.DestroyWindow();
    const auto start = Clock::now();
    p->list.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(activeLinkList.load(), nullptr);
    EXPECT_EQ(server.requests(), 1);  // the second link was never requested
}

}  // namespace
