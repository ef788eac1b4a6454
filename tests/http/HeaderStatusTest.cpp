#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "contracts/host/CExtenUrlChecker.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/http/SocketServer.h"

using namespace httptest;
using namespace std::chrono_literals;

namespace {

// Answers /status/N with N, to HEAD and GET alike.
void serveStatuses(LoopbackServer& server) {
    server.server().Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
        response.status = std::stoi(request.matches[1]);
    });
}

}  // namespace

TEST(HeaderStatus, FinalStatusesComeBackUnchanged) {
    LoopbackServer server;
    serveStatuses(server);
    server.start();
    CExtenUrlChecker checker;
    for (const int status : {200, 201, 204, 206, 299, 300, 304, 399, 400, 401, 403, 404, 405, 410, 418, 429,
                             451, 499, 500, 501, 502, 503, 504, 599, 999}) {
        EXPECT_EQ(check(checker, server.url("/status/" + std::to_string(status))), (Answer{true, status}));
    }
}

TEST(HeaderStatus, RedirectIsTheAnswerNotFollowed) {
    LoopbackServer server;
    server.server().Get("/moved", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/target", 301);
    });
    server.server().Get("/found", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/target", 302);
    });
    server.start();
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/moved")), (Answer{true, 301}));
    EXPECT_EQ(check(checker, server.url("/found")), (Answer{true, 302}));
    EXPECT_EQ(server.requests(), 2);
    EXPECT_EQ(server.lastTarget(), "/found");
}

TEST(HeaderStatus, InterimAnswersAreSkipped) {
    SocketServer server(
        "HTTP/1.1 100 Continue\r\n\r\n"
        "HTTP/1.1 103 Early Hints\r\nLink: </style.css>; rel=preload\r\n\r\n"
        "HTTP/1.1 204 No Content\r\n\r\n");
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/")), (Answer{true, 204}));
}

TEST(HeaderStatus, InterimAnswerAloneIsNoAnswer) {
    SocketServer server("HTTP/1.1 103 Early Hints\r\nLink: </style.css>; rel=preload\r\n\r\n");
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/")), kNoAnswer);
}

TEST(HeaderStatus, BrokenConnectionsAreNoAnswer) {
    CExtenUrlChecker checker;
    checker.limit = 5000;
    EXPECT_EQ(check(checker, "http://127.0.0.1:" + std::to_string(closedPort()) + "/"), kNoAnswer);
    {
        SocketServer closes("");
        EXPECT_EQ(check(checker, closes.url("/")), kNoAnswer);
        EXPECT_EQ(closes.accepted(), 1);
    }
    {
        SocketServer resets("", SocketServer::Ending::Reset);
        EXPECT_EQ(check(checker, resets.url("/")), kNoAnswer);
    }
    {
        SocketServer cutOff("HTTP/1.1 200 OK\r\nContent-Le");
        EXPECT_EQ(check(checker, cutOff.url("/")), kNoAnswer);
    }
    {
        SocketServer notHttp("hello\r\n\r\n");
        EXPECT_EQ(check(checker, notHttp.url("/")), kNoAnswer);
    }
}

TEST(HeaderStatus, TlsFailureAndUnknownHostAreNoAnswer) {
    LoopbackServer plain;
    plain.start();
    CExtenUrlChecker checker;
    checker.limit = 5000;
    // A plain HTTP server cannot finish a TLS handshake.
    std::string https = plain.url("/");
    https.replace(0, 4, "https");
    EXPECT_EQ(check(checker, https), kNoAnswer);
    // .invalid never resolves.
    EXPECT_EQ(check(checker, "http://no-such-host.invalid/"), kNoAnswer);
}

TEST(HeaderStatus, OnlyHttpAndHttpsAreRequested) {
    SocketServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    CExtenUrlChecker checker;
    std::string ftp = server.url("/");
    ftp.replace(0, 4, "ftp");
    EXPECT_EQ(check(checker, ftp), kNoAnswer);
    EXPECT_EQ(check(checker, "mailto:someone@example.com"), kNoAnswer);
    EXPECT_EQ(check(checker, "page.html"), kNoAnswer);
    EXPECT_EQ(server.accepted(), 0);
}

TEST(HeaderStatus, TimeLimitBoundsTheWholeCall) {
    LoopbackServer server;
    server.server().Get("/stall", [&server](const httplib::Request&, httplib::Response&) {
        server.waitForRelease();
    });
    server.start();
    CExtenUrlChecker checker;
    checker.limit = 300;
    const auto start = Clock::now();
    EXPECT_EQ(check(checker, server.url("/stall")), kNoAnswer);
    const long long elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 5000);
}

// HEAD answered with a status servers give to HEAD alone: the GET's answer counts, and its body is not
// read (it would take ten seconds to send).
TEST(HeaderStatus, HeadRejectedAsksAgainWithGetHeadersOnly) {
    constexpr std::size_t kBodySize = 10 << 20;
    constexpr std::size_t kChunk = 16 << 10;
    std::atomic<std::size_t> bodySent{0};
    std::atomic<int> bodyEnded{0};  // 1: sent in full, -1: the client went away
    LoopbackServer server;
    server.server().Get("/get-only", [&](const httplib::Request& request, httplib::Response& response) {
        if (request.method == "HEAD") {
            response.status = 405;
            return;
        }
        response.set_content_provider(
            kBodySize, "application/octet-stream",
            [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (server.waitForRelease(10ms))
                    return false;
                const std::string chunk(std::min(kChunk, kBodySize - offset), 'x');
                if (!sink.write(chunk.data(), chunk.size()))
                    return false;
                bodySent += chunk.size();
                return true;
            },
            [&](bool success) { bodyEnded = success ? 1 : -1; });
    });
    server.start();
    CExtenUrlChecker checker;
    const auto start = Clock::now();
    EXPECT_EQ(check(checker, server.url("/get-only")), (Answer{true, 200}));
    EXPECT_LT(millisecondsSince(start), 2000);
    EXPECT_EQ(server.requests("HEAD"), 1);
    EXPECT_EQ(server.requests("GET"), 1);
    for (int i = 0; i < 500 && bodyEnded.load() == 0; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(bodyEnded.load(), -1);
    EXPECT_LT(bodySent.load(), kBodySize);
}

TEST(HeaderStatus, WhichHeadAnswersAreAskedAgainWithGet) {
    LoopbackServer server;
    serveStatuses(server);
    server.start();
    CExtenUrlChecker checker;
    for (const int status : {400, 403, 404, 405, 500, 501}) {
        const int getsBefore = server.requests("GET");
        EXPECT_EQ(check(checker, server.url("/status/" + std::to_string(status))), (Answer{true, status}));
        EXPECT_EQ(server.requests("GET"), getsBefore + 1) << status;
    }
    for (const int status : {200, 301, 401, 410, 429, 502, 503, 504, 999})
        EXPECT_EQ(check(checker, server.url("/status/" + std::to_string(status))), (Answer{true, status}));
    EXPECT_EQ(server.requests("GET"), 6);
}

TEST(HeaderStatus, NotFoundThenFoundCountsTheGet) {
    std::atomic<int> served{0};
    LoopbackServer server;
    server.server().Get("/flaky", [&](const httplib::Request&, httplib::Response& response) {
        response.status = served++ == 0 ? 404 : 200;
    });
    server.start();
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/flaky")), (Answer{true, 200}));
    EXPECT_EQ(server.requests("HEAD"), 1);
    EXPECT_EQ(server.requests("GET"), 1);
}

// The module asks a 404 again a few times: once the HEAD was answered 404 and the GET answered as well,
// each repeat is the GET alone, for the rest of the run. Other URLs still begin with HEAD.
TEST(HeaderStatus, RepeatsAfterAnAnsweredGetAreOneRequestEach) {
    LoopbackServer server;
    serveStatuses(server);
    server.start();
    CExtenUrlChecker checker;
    for (int ask = 0; ask < 6; ++ask)
        EXPECT_EQ(check(checker, server.url("/status/404")), (Answer{true, 404}));
    EXPECT_EQ(server.requests("HEAD"), 1);
    EXPECT_EQ(server.requests("GET"), 6);
    EXPECT_EQ(check(checker, server.url("/status/200")), (Answer{true, 200}));
    EXPECT_EQ(server.requests("HEAD"), 2);
}

// When the GET gets no answer of its own, the HEAD's answer stands.
TEST(HeaderStatus, HeadAnswerStandsWhenTheGetFails) {
    LoopbackServer server;
    server.server().Get("/head-only-answer", [&server](const httplib::Request& request, httplib::Response& response) {
        if (request.method == "HEAD")
            response.status = 501;
        else
            server.waitForRelease();
    });
    server.start();
    CExtenUrlChecker checker;
    checker.limit = 500;
    EXPECT_EQ(check(checker, server.url("/head-only-answer")), (Answer{true, 501}));
}

TEST(HeaderStatus, RequestsTheUrlAsABrowserWould) {
    LoopbackServer server;
    server.start();
    CExtenUrlChecker checker;
    const std::string written = "  " + server.url("/a b/\xC3\xBC;v=1?q=\"x\" y&r=\xC3\xBC'#frag") + " \n";
    EXPECT_TRUE(check(checker, written).answered);
    EXPECT_EQ(server.lastTarget(), "/a%20b/%C3%BC;v=1?q=%22x%22%20y&r=%C3%BC%27");
    EXPECT_EQ(server.lastUserAgent(), "tarnlink/" TARN_VERSION " (+link checker)");

    EXPECT_TRUE(check(checker, server.url("/x\\y?z\\w")).answered);
    EXPECT_EQ(server.lastTarget(), "/x/y?z\\w");
}
