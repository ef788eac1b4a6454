#include <gtest/gtest.h>

#include <string>

#include "contracts/host/CExtenUrlChecker.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"

using namespace httptest;

TEST(Reuse, OneConnectionCarriesEveryRequest) {
    constexpr int kRequests = 200;
    LoopbackServer server;
    server.server().Get(R"(/page/\d+)", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<p>page</p>", "text/html");
    });
    server.start();
    CExtenUrlChecker checker;
    for (int i = 0; i < kRequests; ++i)
        ASSERT_EQ(check(checker, server.url("/page/" + std::to_string(i % 7))), (Answer{true, 200}));
    EXPECT_EQ(server.requests("HEAD"), kRequests);
    EXPECT_EQ(server.requests(), kRequests);
    EXPECT_EQ(server.connections(), 1);
}

// The GET after a rejected HEAD stops reading mid-answer, which costs its connection; the next call
// connects again and keeps that one.
TEST(Reuse, ConnectionAfterAnAbandonedGetIsKeptAgain) {
    LoopbackServer server;
    server.server().Get("/get-only", [](const httplib::Request& request, httplib::Response& response) {
        response.status = request.method == "HEAD" ? 405 : 200;
        response.set_content(std::string(1 << 20, 'x'), "text/plain");
    });
    server.start();
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/get-only")), (Answer{true, 200}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(check(checker, server.url("/ok")), (Answer{true, 200}));
    EXPECT_EQ(server.connections(), 2);
}
