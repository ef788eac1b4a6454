#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include <nlohmann/json.hpp>

#include "tests/app/ProgramTestSupport.h"
#include "tests/batch/ConnectionGauge.h"
#include "tests/http/LoopbackServer.h"

using nlohmann::json;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace tarn::test {
namespace {

constexpr int kStart = 3006;
constexpr int kStop = 3007;

std::string anchor(const std::string& url) { return "<a href=\"" + url + "\">x</a>\n"; }

class LookaheadTest : public ProgramTest {
protected:
    // tarnlink --check --format json ARGS... PAGE: the page's links.
    json checkLinks(std::vector<std::string> args, const std::string& page) {
        args.insert(args.begin(), {"--check", "--format", "json"});
        args.push_back(page);
        std::string output;
        const int status = runToEnd(TARN_PROGRAM, args, environment(), folder / "stderr.txt", &output);
        EXPECT_TRUE(status == 0 || status == 1) << errors();
        return json::parse(output, nullptr, false).at("pages").at(0).at("links");
    }

    // When each request arrived, by server.
    void stamp(std::vector<Clock::time_point>& times) {
        const std::lock_guard lock(mutex_);
        times.push_back(Clock::now());
    }

    std::mutex mutex_;
};

// Look-ahead changes nothing a user sees: the rows of a mixed page (404 repeats, a 404 that turns into
// 200 on its fourth request, a refused host asked twice, a slow answer, duplicates, a redirect) are those
// of one request at a time.
TEST_F(LookaheadTest, MixedPageGivesTheRowsOfOneAtATime) {
    LoopbackServer server;
    std::atomic<int> flaky{0};
    server.server().Get("/gone", [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
    server.server().Get("/flaky", [&flaky](const httplib::Request&, httplib::Response& response) {
        response.status = ++flaky > 3 ? 200 : 404;
    });
    server.server().Get("/slow",
                        [](const httplib::Request&, httplib::Response&) { std::this_thread::sleep_for(300ms); });
    server.server().Get("/moved", [](const httplib::Request&, httplib::Response& response) {
        response.status = 301;
        response.set_header("Location", "/ok");
    });
    server.start();
    const std::string refused = "http://127.0.0.1:9/refused";
    std::string body;
    for (const std::string& link : {server.url("/ok"), server.url("/gone"), server.url("/flaky"), server.url("/slow"),
                                    refused, server.url("/ok"), server.url("/moved"), server.url("/gone"), refused})
        body += anchor(link);
    for (int i = 0; i < 20; ++i)
        body += anchor(server.url("/ok?n=" + std::to_string(i)));
    const std::string page = writePage(body);

    const json oneAtATime = checkLinks({"--parallel", "1"}, page);
    flaky = 0;
    const json ahead = checkLinks({}, page);
    ASSERT_EQ(oneAtATime.size(), 29u);
    EXPECT_EQ(ahead, oneAtATime);
    EXPECT_EQ(ahead[2]["status"], 200);
    EXPECT_EQ(ahead[8]["failure"], oneAtATime[4]["failure"]);
}

// One request at a time is the same engine with one place: refusals (429 with Retry-After, 503 without)
// are asked again after the host's hold either way, and a host that keeps refusing gives the same rows.
TEST_F(LookaheadTest, RefusalsGiveTheSameRowsOneAtATime) {
    LoopbackServer server;
    LoopbackServer busy;
    std::atomic<int> limited{0};
    std::atomic<int> unavailable{0};
    server.server().Get("/limited", [&limited](const httplib::Request&, httplib::Response& response) {
        if (++limited == 1) {
            response.status = 429;
            response.set_header("Retry-After", "1");
        }
    });
    server.server().Get("/unavailable", [&unavailable](const httplib::Request&, httplib::Response& response) {
        if (++unavailable == 1)
            response.status = 503;
    });
    busy.server().Get("/always", [](const httplib::Request&, httplib::Response& response) {
        response.status = 429;
        response.set_header("Retry-After", "0");
    });
    server.start();
    busy.start();
    std::string body;
    for (const std::string& link : {server.url("/ok"), server.url("/limited"), server.url("/gone"),
                                    busy.url("/always"), server.url("/unavailable"), server.url("/ok?n=2")})
        body += anchor(link);
    const std::string page = writePage(body);

    const json oneAtATime = checkLinks({"--parallel", "1"}, page);
    limited = 0;
    unavailable = 0;
    const json ahead = checkLinks({}, page);
    ASSERT_EQ(oneAtATime.size(), 6u);
    EXPECT_EQ(ahead, oneAtATime);
    EXPECT_EQ(oneAtATime[1]["status"], 200);
    EXPECT_EQ(oneAtATime[4]["status"], 200);
    EXPECT_EQ(oneAtATime[3]["status"], 429);
}

// However many links a page has to one host, no more connections are open to it at once than the limit,
// and the look-ahead does use that many.
TEST_F(LookaheadTest, ConnectionsToOneHostStayWithinTheLimit) {
    LoopbackServer server;
    ConnectionGauge gauge;
    gauge.install(server.server());
    server.server().Get("/page",
                        [](const httplib::Request&, httplib::Response&) { std::this_thread::sleep_for(20ms); });
    server.start();
    std::string body;
    for (int i = 0; i < 60; ++i)
        body += anchor(server.url("/page?n=" + std::to_string(i)));
    const std::string page = writePage(body);
    EXPECT_EQ(checkLinks({}, page).size(), 60u);
    EXPECT_LE(gauge.most(), 4);
    EXPECT_GE(gauge.most(), 2);

    ConnectionGauge fewer;
    LoopbackServer second;
    fewer.install(second.server());
    second.server().Get("/page",
                        [](const httplib::Request&, httplib::Response&) { std::this_thread::sleep_for(20ms); });
    second.start();
    std::string secondBody;
    for (int i = 0; i < 30; ++i)
        secondBody += anchor(second.url("/page?n=" + std::to_string(i)));
    checkLinks({"--per-host", "2"}, writePage(secondBody, "second.html"));
    EXPECT_LE(fewer.most(), 2);
}

// A process allowed few file descriptors checks a page of many links over several hosts with the
// highest limits: it opens no more connections than it has descriptors for, and a good link is never
// reported broken for want of one.
TEST_F(LookaheadTest, FewDescriptorsBreakNoLink) {
    std::vector<std::unique_ptr<LoopbackServer>> servers;
    for (int host = 0; host < 4; ++host) {
        servers.push_back(std::make_unique<LoopbackServer>());
        servers.back()->server().Get(
            "/page", [](const httplib::Request&, httplib::Response&) { std::this_thread::sleep_for(2ms); });
        servers.back()->start();
    }
    std::string body;
    for (int i = 0; i < 100; ++i)
        for (const auto& server : servers)
            body += anchor(server->url("/page?n=" + std::to_string(i)));
    std::string output;
    const std::vector<std::string> args{"-c", "ulimit -n 64 && exec \"$0\" \"$@\"", TARN_PROGRAM, "--check", "--format",
                                        "json", "--parallel", "256", "--per-host", "64", writePage(body)};
    const int status = runToEnd("/bin/sh", args, environment(), folder / "stderr.txt", &output);
    EXPECT_EQ(status, 0) << errors();
    const json links = json::parse(output, nullptr, false).at("pages").at(0).at("links");
    ASSERT_EQ(links.size(), 400u);
    for (const json& link : links)
        ASSERT_EQ(link["status"], 200) << link.dump();
}

// A 429 with Retry-After holds that host for the time it asks, and the refused link is asked again then;
// another host goes on meanwhile.
TEST_F(LookaheadTest, RetryAfterHoldsThatHostOnly) {
    LoopbackServer held;
    LoopbackServer other;
    std::vector<Clock::time_point> heldTimes;
    std::vector<Clock::time_point> otherTimes;
    std::optional<Clock::time_point> refusedAt;
    held.server().Get("/busy", [&](const httplib::Request&, httplib::Response& response) {
        const std::lock_guard lock(mutex_);
        if (!refusedAt) {
            refusedAt = Clock::now();
            response.status = 429;
            response.set_header("Retry-After", "1");
        } else {
            heldTimes.push_back(Clock::now());
        }
    });
    held.server().Get("/a", [&](const httplib::Request&, httplib::Response&) {
        stamp(heldTimes);
        std::this_thread::sleep_for(20ms);
    });
    other.server().Get("/b", [&](const httplib::Request&, httplib::Response&) {
        stamp(otherTimes);
        std::this_thread::sleep_for(20ms);
    });
    held.start();
    other.start();
    std::string body = anchor(held.url("/busy"));
    for (int i = 0; i < 10; ++i)
        body += anchor(held.url("/a?n=" + std::to_string(i))) + anchor(other.url("/b?n=" + std::to_string(i)));
    const json links = checkLinks({}, writePage(body));
    ASSERT_EQ(links.size(), 21u);
    EXPECT_EQ(links[0]["status"], 200);

    const std::lock_guard lock(mutex_);
    ASSERT_TRUE(refusedAt.has_value());
    const Clock::time_point holdEnds = *refusedAt + 950ms;
    // Requests already on their way when the refusal came arrive at once; none after until the hold ends.
    int afterHold = 0;
    for (const Clock::time_point at : heldTimes) {
        EXPECT_TRUE(at < *refusedAt + 200ms || at >= holdEnds);
        afterHold += at >= holdEnds ? 1 : 0;
    }
    EXPECT_GE(afterHold, 1);
    ASSERT_EQ(otherTimes.size(), 10u);
    EXPECT_LT(otherTimes.back(), holdEnds);
}

// In the dialog: links the user unticked are never asked for, Stop during the look-ahead ends the run at
// once, and nothing is requested after it.
TEST_F(LookaheadTest, StopEndsTheLookAheadAndUntickedLinksAreNeverAsked) {
    LoopbackServer server;
    std::atomic<int> unticked{0};
    server.server().Get("/stall", [&server](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
    server.server().Get("/unticked", [&unticked](const httplib::Request&, httplib::Response&) { ++unticked; });
    server.start();
    std::string body;
    for (int i = 0; i < 3; ++i)
        body += anchor(server.url("/unticked?n=" + std::to_string(i))) +
                anchor(server.url("/stall?n=" + std::to_string(i)));
    body += anchor(server.url("/stall?n=9"));
    auto program = startAutomated(writePage(body));
    for (int row = 0; row < 6; row += 2)
        ASSERT_EQ(program->command({{"op", "tick"}, {"row", row}, {"value", false}})["ticked"], false);
    ASSERT_EQ(program->command({{"op", "click"}, {"id", kStart}}), json({{"ok", true}}));
    // The worker waits on the first stalled link; the look-ahead has asked for the others, up to the
    // per-host limit.
    ASSERT_TRUE(server.waitForRequests(4));

    const Clock::time_point stop = Clock::now();
    ASSERT_EQ(program->command({{"op", "click"}, {"id", kStop}}), json({{"ok", true}}));
    ASSERT_EQ(program->command({{"op", "wait"}, {"for", "idle"}, {"timeoutMs", 2000}}), json({{"ok", true}}));
    EXPECT_LT(Clock::now() - stop, 100ms);
    const int requested = server.requests();
    EXPECT_FALSE(server.waitForRequests(requested + 1, 300ms));
    EXPECT_EQ(unticked.load(), 0);
    EXPECT_EQ(program->command({{"op", "close"}}), json({{"ok", true}}));
    EXPECT_TRUE(program->wait().has_value());
}

}  // namespace
}  // namespace tarn::test
