#include <gtest/gtest.h>

#include <mutex>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

// BatchTest's site, and /echo, which answers a HEAD with 405 (so the link is asked again with GET) and
// notes what each request sent.
class RequestOptionsTest : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        server.server().Get("/echo", [this](const httplib::Request& request, httplib::Response& response) {
            const std::lock_guard lock(mutex);
            seen.push_back(request.method + " " + request.get_header_value("User-Agent") + " " +
                           request.get_header_value("X-Token"));
            response.status = request.method == "HEAD" ? 405 : 200;
        });
        server.server().Get("/silent", [this](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
        server.server().Get("/challenge", [](const httplib::Request&, httplib::Response& response) {
            response.status = 403;
            response.set_header("cf-mitigated", "challenge");
        });
        server.server().Get("/wall", [](const httplib::Request&, httplib::Response& response) { response.status = 999; });
        server.server().Get("/limited", [](const httplib::Request&, httplib::Response& response) {
            response.status = 429;
            response.set_header("Retry-After", "0");
        });
    }
    std::vector<std::string> takeSeen() {
        const std::lock_guard lock(mutex);
        return std::exchange(seen, {});
    }

    std::mutex mutex;
    std::vector<std::string> seen;
};

using Lines = std::vector<std::string>;

std::string pageLinking(const std::vector<std::string>& urls) {
    std::string page;
    for (const std::string& url : urls)
        page += "<p><a href=\"" + url + "\">x</a></p>\n";
    return page;
}

// The user agent and every header go with the HEAD and with the GET after it; a server that never
// answers is given up at the run's time limit, with the reason said.
TEST_F(RequestOptionsTest, HeadersUserAgentAndTimeout) {
    const std::string page = writePage(pageLinking({link("/echo"), link("/silent")}));
    std::string output;
    ASSERT_EQ(check({"--format", "json", "--timeout", "1", "--user-agent", "probe/1", "--header", "X-Token: abc",
                     page},
                    output),
              1)
        << errors();
    EXPECT_EQ(takeSeen(), (Lines{"HEAD probe/1 abc", "GET probe/1 abc"}));
    const json report = json::parse(output);
    const json& links = report["pages"][0]["links"];
    EXPECT_EQ(links[0]["key"], "ok");
    EXPECT_EQ(links[1]["status"], 0);
    EXPECT_EQ(links[1]["failure"], "timed out");

    for (const std::vector<std::string> wrong : {Lines{"--timeout", "0"}, Lines{"--timeout", "301"},
                                                  Lines{"--header", "X-Token abc"}, Lines{"--header", "X: a\r\nY: b"}}) {
        std::vector<std::string> args = wrong;
        args.push_back(page);
        EXPECT_EQ(check(args, output), 2) << wrong[1];
    }
    EXPECT_TRUE(takeSeen().empty());
}

// A bot challenge, status 999 and a 429 that outlasts its holds are bot walls: listed as blocked with
// their reason without failing the run (warn), failures (error), or OK (ok).
TEST_F(RequestOptionsTest, BotWallsUnderEachPolicy) {
    const std::string page = writePage(pageLinking({link("/challenge"), link("/wall"), link("/limited"), link("/gone")}));
    std::string output;
    ASSERT_EQ(check({"--accept", "404", page}, output), 0) << errors() << output;
    for (const auto& [path, reason] : std::vector<std::pair<std::string, std::string>>{
             {"/challenge", " 403 "}, {"/wall", " 999 "}, {"/limited", " 429 "}})
        EXPECT_NE(output.find(" blocked" + reason + link(path)), std::string::npos) << output;
    EXPECT_NE(output.find(link("/challenge") + " (A HREF \"x\") [bot challenge]"), std::string::npos) << output;
    EXPECT_NE(output.find(link("/wall") + " (A HREF \"x\") [status 999]"), std::string::npos) << output;
    EXPECT_NE(output.find(link("/limited") + " (A HREF \"x\") [rate limited]"), std::string::npos) << output;
    EXPECT_NE(output.find("4 links, 0 OK, 0 link errors, 0 undetermined, 1 accepted, 3 blocked, "), std::string::npos)
        << output;

    ASSERT_EQ(check({"--blocked", "error", "--accept", "404", "--format", "json", page}, output), 1) << errors();
    const json report = json::parse(output);
    EXPECT_EQ(report["counts"]["errors"], 3);
    EXPECT_EQ(report["pages"][0]["links"][0]["key"], "blocked");
    EXPECT_EQ(report["pages"][0]["links"][0]["blocked"], "bot challenge");

    ASSERT_EQ(check({"--blocked", "ok", "--accept", "404", page}, output), 0) << errors() << output;
    EXPECT_NE(output.find("4 links, 3 OK, 0 link errors, 0 undetermined, 1 accepted, "), std::string::npos) << output;
    EXPECT_EQ(output.find("blocked"), std::string::npos) << output;
}

}  // namespace
}  // namespace tarn::test
