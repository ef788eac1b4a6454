#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contracts/host/CExtenUrlChecker.h"
#include "hostlibs/run/RunContext.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/SocketServer.h"

using namespace httptest;

namespace {

// What the run's journal kept of `link` once a checker of the run asked for it.
tarn::UrlAnswer answerFor(const std::string& link) {
    const auto run = std::make_shared<tarn::RunContext>();
    const tarn::RunScope scope(run);
    CExtenUrlChecker checker;
    checker.limit = 5000;
    check(checker, link);
    return run->journal().find(link).value_or(tarn::UrlAnswer{});
}

std::string movedTo(const std::string& location) {
    return "HTTP/1.1 301 Moved Permanently\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n";
}

}  // namespace

// A Location without a fragment keeps the link's; one that is a fragment alone stays on the page asked
// for; control bytes are encoded as the client encodes a space or a Latin-1 byte, not dropped.
TEST(HostileAnswers, RedirectTargetsKeepTheFragmentAndEveryByte) {
    struct Case {
        std::string path;      // of the link
        std::string location;  // as the server sends it
        std::string target;    // after the server's address
    };
    const Case cases[] = {
        {"/old#section", "/new", "/new#section"},
        {"/old#section", "/new#top", "/new#top"},
        {"/old", "/new", "/new"},
        {"/dir/old?q=1#section", "#top", "/dir/old?q=1#top"},
        {"/dir/old", "#top", "/dir/old#top"},
        {"/dir/old#s", "next", "/dir/next#s"},
        {"/old#s", "\x01 /a\x01" "b\x1b" "c\x7f\xe9 d", "/a%01b%1Bc%7F%e9%20d#s"},
    };
    for (const Case& c : cases) {
        SocketServer server(movedTo(c.location));
        const tarn::UrlAnswer answer = answerFor(server.url(c.path));
        EXPECT_EQ(answer.status, 301) << c.location;
        EXPECT_EQ(answer.location, server.url(c.target)) << c.location;
    }
    SocketServer elsewhere(movedTo("http://127.0.0.1:1/x"));
    EXPECT_EQ(answerFor(elsewhere.url("/old#s")).location, "http://127.0.0.1:1/x#s");
    // The client decodes a host name's escapes; the target holds no control byte all the same.
    SocketServer escapedHost(movedTo("http://127.0.0.1%7F:1/x"));
    const std::string target = answerFor(escapedHost.url("/old")).location;
    EXPECT_EQ(target.find('\x7f'), std::string::npos) << target;
}

TEST(HostileAnswers, MalformedAnswersSayWhatWentWrong) {
    SocketServer noStatusLine("HTTX/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    SocketServer hugeLocation(movedTo("/" + std::string(1 << 20, 'a')));
    for (const SocketServer* server : {&noStatusLine, &hugeLocation}) {
        const tarn::UrlAnswer answer = answerFor(server->url("/"));
        EXPECT_EQ(answer.status, 0);
        EXPECT_EQ(answer.failureKind, tarn::FailureKind::MalformedAnswer) << answer.failure;
    }
    EXPECT_EQ(answerFor(noStatusLine.url("/")).failure, "malformed answer (no HTTP status line)");
    EXPECT_EQ(answerFor(hugeLocation.url("/")).failure, "malformed answer (header too large)");
}
