#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "contracts/host/CExtenUrlChecker.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/http/SocketServer.h"

using namespace httptest;
using namespace std::chrono_literals;

namespace {

// The test's idea of "at once" for close(): the request must end within this after close() returns.
constexpr long long kCloseMs = 100;

// A getHeaderStatus on its own thread, as the check engine's worker runs it.
class WorkerCall {
public:
    WorkerCall(CExtenUrlChecker& checker, const std::string& url)
        : thread_([this, &checker, url] {
              started_.store(true);
              answer_ = check(checker, url);
              endedAt_ = Clock::now();
              done_.store(true);
          }) {}
    WorkerCall(const WorkerCall&) = delete;
    WorkerCall& operator=(const WorkerCall&) = delete;
    ~WorkerCall() {
        if (thread_.joinable())
            thread_.join();
    }

    bool started() const { return started_.load(); }
    bool done() const { return done_.load(); }

    // Joins the call; its answer and the milliseconds from `since` to its end.
    std::pair<Answer, long long> finish(Clock::time_point since) {
        thread_.join();
        return {answer_, std::chrono::duration_cast<std::chrono::milliseconds>(endedAt_ - since).count()};
    }

private:
    std::atomic<bool> started_{false};
    std::atomic<bool> done_{false};
    Answer answer_{};
    Clock::time_point endedAt_;
    std::thread thread_;  // last: it runs on the members above
};

}  // namespace

TEST(Close, EndsARequestWaitingForItsAnswer) {
    LoopbackServer server;
    server.server().Get("/stall", [&server](const httplib::Request&, httplib::Response&) {
        server.waitForRelease();
    });
    server.start();
    CExtenUrlChecker checker;
    WorkerCall call(checker, server.url("/stall"));
    ASSERT_TRUE(server.waitForRequests(1));
    std::this_thread::sleep_for(20ms);
    ASSERT_FALSE(call.done());
    const auto closedAt = Clock::now();
    checker.close();
    const auto [answer, afterClose] = call.finish(closedAt);
    EXPECT_EQ(answer, kNoAnswer);
    EXPECT_LT(afterClose, kCloseMs);

    EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
}

TEST(Close, EndsAConnectThatNeverCompletes) {
    BlackHole hole;
    if (!hole.stalls())
        GTEST_SKIP() << "this kernel completes every loopback handshake";
    LoopbackServer server;
    server.start();
    CExtenUrlChecker checker;
    WorkerCall call(checker, hole.url("/"));
    for (int i = 0; i < 500 && !call.started(); ++i)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(200ms);
    ASSERT_FALSE(call.done());
    const auto closedAt = Clock::now();
    checker.close();
    const auto [answer, afterClose] = call.finish(closedAt);
    EXPECT_EQ(answer, kNoAnswer);
    EXPECT_LT(afterClose, kCloseMs);

    EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
}

TEST(Close, WithoutARequestChangesNothing) {
    LoopbackServer server;
    server.start();
    CExtenUrlChecker checker;
    checker.close();
    EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
}

TEST(Close, StopFlagAnswersAtOnceWithoutARequest) {
    LoopbackServer server;
    server.start();
    CExtenUrlChecker checker;
    {
        const StopRequired stop;
        EXPECT_EQ(check(checker, server.url("/ok")), kNoAnswer);
    }
    EXPECT_EQ(server.requests(), 0);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
}

// The dialog's Stop: the flag, then close(). The flag alone is seen at the next wake-up.
TEST(Close, StopWithCloseEndsARequest) {
    LoopbackServer server;
    server.server().Get("/stall", [&server](const httplib::Request&, httplib::Response&) {
        server.waitForRelease();
    });
    server.start();
    CExtenUrlChecker checker;
    WorkerCall call(checker, server.url("/stall"));
    ASSERT_TRUE(server.waitForRequests(1));
    const StopRequired stop;
    const auto closedAt = Clock::now();
    checker.close();
    const auto [answer, afterClose] = call.finish(closedAt);
    EXPECT_EQ(answer, kNoAnswer);
    EXPECT_LT(afterClose, kCloseMs);
}

TEST(Close, ReleasedClientAnswersNothingAndClosesSafely) {
    LoopbackServer server;
    server.start();
    CExtenUrlChecker checker;
    EXPECT_TRUE(check(checker, server.url("/ok")).answered);
    checker.clearhttpClient();
    checker.close();
    EXPECT_EQ(check(checker, server.url("/ok")), kNoAnswer);
    EXPECT_EQ(server.requests(), 1);
}
