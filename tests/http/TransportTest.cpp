#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "contracts/host/CExtenUrlChecker.h"
#include "tests/http/HttpTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/http/SocketServer.h"

using namespace httptest;

namespace {

// http_proxy names `proxy` for one scope, with no exceptions for any host.
class HttpProxy {
public:
    explicit HttpProxy(const std::string& proxy) {
        ::setenv("http_proxy", proxy.c_str(), 1);
        ::unsetenv("no_proxy");
    }
    HttpProxy(const HttpProxy&) = delete;
    HttpProxy& operator=(const HttpProxy&) = delete;
    ~HttpProxy() {
        ::unsetenv("http_proxy");
        ::setenv("no_proxy", "*", 1);
    }
};

}  // namespace

// The certificate is self-signed for 127.0.0.1 (tests/data/http): well-formed, and trusted by nobody.
TEST(Transport, CertificatesAreVerified) {
    LoopbackServer server(TARN_TEST_DATA "/http/selfsigned.pem", TARN_TEST_DATA "/http/selfsigned.key");
    server.start();
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, server.url("/ok")), kNoAnswer);
    EXPECT_EQ(server.requests(), 0);
}

TEST(Transport, ProxyNamedByTheEnvironmentIsUsed) {
    SocketServer proxy("HTTP/1.1 204 No Content\r\n\r\n");
    const HttpProxy variable(proxy.url(""));
    CExtenUrlChecker checker;
    EXPECT_EQ(check(checker, "http://origin.invalid/page?q=1#top"), (Answer{true, 204}));
    EXPECT_EQ(proxy.lastRequestLine(), "HEAD http://origin.invalid/page?q=1 HTTP/1.1");
}
