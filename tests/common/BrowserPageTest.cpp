#include <gtest/gtest.h>

#include "hostlibs/common/BrowserEndpoints.h"
#include "hostlibs/run/RunContext.h"
#include "contracts/host/CParamEngineer.h"
#include "contracts/host/CQuorCommon.h"
#include "contracts/host/Cci.h"
#include "platform/win/Utf8.h"
#include "tests/http/LoopbackServer.h"
#include "tests/registry/RegistryTestSupport.h"

#include <memory>
#include <vector>

namespace {

class BrowserPage : public regtest::RegistryTest {
protected:
    void SetUp() override {
        regtest::RegistryTest::SetUp();
        UseRun({});
    }
    void TearDown() override {
        scope_.reset();
        regtest::RegistryTest::TearDown();
    }

    // A run in effect that was given these endpoints, and whose notices the test keeps.
    void UseRun(std::vector<std::string> endpoints) {
        scope_.reset();
        tarn::RunOptions options;
        options.browserEndpoints = std::move(endpoints);
        options.notices = [this](const std::string& line) { notices.push_back(line); };
        scope_ = std::make_unique<tarn::RunScope>(std::make_shared<tarn::RunContext>(std::move(options)));
    }

    static std::vector<std::u16string> Topics(CParamEngineer::BROWSER_ID browser = CParamEngineer::BROWSER_DEFAULT) {
        CStringArray topics;
        CParamEngineer::getInstance()->getDDEBrowserTopic(browser, topics);
        std::vector<std::u16string> result;
        for (INT_PTR i = 0; i < topics.GetSize(); ++i)
            result.push_back(topics[i].ToStdString());
        return result;
    }

    static void SetEndpoints(const std::u16string& text) {
        HKEY key = Create(CQuorCommon::getHKCUTarnpageOptions().GetString());
        ASSERT_EQ(SetString(key, u"browserEndpoints", text), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // A browser's endpoint that lists `json` as its pages.
    static void ServePages(LoopbackServer& server, const std::string& json) {
        server.server().Get("/json/list", [json](const httplib::Request&, httplib::Response& response) {
            response.set_content(json, "application/json");
        });
        server.start();
    }

    static CString Topic(const LoopbackServer& server) {
        return CString(win::DecodeUtf8(server.url("").substr(std::string("http://").size())));
    }

    std::vector<std::string> notices;

private:
    std::unique_ptr<tarn::RunScope> scope_;
};

TEST_F(BrowserPage, OnlyEndpointsOnThisMachineAreAsked) {
    for (const char* endpoint : {"127.0.0.1:9222", "127.255.0.9:1", "[::1]:65535", "[0:0:0:0:0:0:0:1]:80",
                                 "localhost:9222", "LocalHost:9222"})
        EXPECT_TRUE(tarn::browser::isLoopbackEndpoint(endpoint)) << endpoint;
    for (const char* endpoint : {"10.0.0.1:9222", "128.0.0.1:9222", "127.1:9222", "0x7f.0.0.1:9222",
                                 "127.0.0.1.example.com:9222", "localhost.example.com:9222", "[::2]:9222", "::1:9222",
                                 "[::ffff:127.0.0.1]:9222", "127.0.0.1", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536",
                                 "127.0.0.1:+80", "user@127.0.0.1:80", "127.0.0.1:80/x", " 127.0.0.1:80", ""})
        EXPECT_FALSE(tarn::browser::isLoopbackEndpoint(endpoint)) << endpoint;

    // The command line's endpoints come first, then the option's; others are skipped, each with a word.
    UseRun({"127.0.0.1:9333", "[::1]:9444"});
    SetEndpoints(u"192.0.2.1:9222; 127.0.0.1:9333 ;localhost:9555");
    EXPECT_EQ(Topics(), (std::vector<std::u16string>{u"127.0.0.1:9333", u"[::1]:9444", u"localhost:9555"}));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("192.0.2.1:9222"), std::string::npos) << notices[0];
}

TEST_F(BrowserPage, TopicsComeFromTheOptionOrTheDefaultEndpoint) {
    EXPECT_EQ(Topics(), std::vector<std::u16string>{u"127.0.0.1:9222"});
    EXPECT_TRUE(Topics(static_cast<CParamEngineer::BROWSER_ID>(11)).empty());

    SetEndpoints(u" 127.0.0.1:9333 ;;[::1]:9222;\tlocalhost:9444 ");
    EXPECT_EQ(Topics(), (std::vector<std::u16string>{u"127.0.0.1:9333", u"[::1]:9222", u"localhost:9444"}));

    // Set but holding no endpoint: the user wants no browser asked.
    SetEndpoints(u" ; ");
    EXPECT_TRUE(Topics().empty());

    HKEY key = Create(CQuorCommon::getHKCUTarnpageOptions().GetString());
    ASSERT_EQ(SetDword(key, u"browserEndpoints", 1), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Topics(), std::vector<std::u16string>{u"127.0.0.1:9222"});
}

TEST_F(BrowserPage, TheFirstPageOfTheFirstAnsweringBrowserIsTaken) {
    LoopbackServer notJson;
    ServePages(notJson, "<html>not a list</html>");
    LoopbackServer noPage;  // and nothing at all under any other path
    ServePages(noPage, R"([{"type":"service_worker","url":"http://127.0.0.1/sw.js","title":"sw"}])");
    LoopbackServer browser;
    ServePages(browser, R"([{"type":"iframe","url":"http://127.0.0.1/frame"},
                            {"type":"page","url":"chrome://newtab/","title":"New Tab"},
                            {"type":"page","url":"devtools://devtools/bundled/inspector.html"},
                            {"type":"page","url":"about:blank"},
                            {"type":"page","url":"HTTP://127.0.0.1:8000/日本語.html?q=1","title":"ページ"},
                            {"type":"page","url":"http://127.0.0.1:8000/second","title":"second"}])");
    CStringArray topics;
    topics.Add(u"127.0.0.1:9");  // nothing listens there
    // A topic with more than an endpoint in it is never asked.
    topics.Add(Topic(notJson) + u"/other#");
    topics.Add(Topic(notJson));
    topics.Add(Topic(noPage));
    topics.Add(Topic(browser));

    CString url;
    CString title;
    EXPECT_TRUE(Cci(topics, nullptr).GetWindowInfo(url, title, static_cast<DWORD>(-1)));
    EXPECT_EQ(url, CString(u"HTTP://127.0.0.1:8000/日本語.html?q=1"));
    EXPECT_EQ(title, CString(u"ページ"));
    EXPECT_EQ(notJson.requests(), 1);
    EXPECT_EQ(noPage.requests(), 1);
    EXPECT_EQ(browser.lastTarget(), "/json/list");
    EXPECT_TRUE(notices.empty());

    // Only what the flags ask for is filled in.
    CString urlOnly;
    CString untouched(u"kept");
    EXPECT_TRUE(Cci(topics, nullptr).GetWindowInfo(urlOnly, untouched, Cci::WINDOW_INFO_URL));
    EXPECT_EQ(urlOnly, url);
    EXPECT_EQ(untouched, CString(u"kept"));

    // No topic answers with a page: FALSE, and both strings stay as they were.
    CStringArray silent;
    silent.Add(u"127.0.0.1:9");
    silent.Add(Topic(noPage));
    EXPECT_FALSE(Cci(silent, nullptr).GetWindowInfo(untouched, untouched, static_cast<DWORD>(-1)));
    EXPECT_EQ(untouched, CString(u"kept"));
    silent.RemoveAt(1);
    silent.Add(Topic(notJson));
    EXPECT_FALSE(Cci(silent, nullptr).GetWindowInfo(untouched, untouched, static_cast<DWORD>(-1)));
    EXPECT_FALSE(Cci(CStringArray(), nullptr).GetWindowInfo(untouched, untouched, static_cast<DWORD>(-1)));
    EXPECT_EQ(untouched, CString(u"kept"));
    // One line for each failed click, naming what was asked.
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0], "the browser at " + win::EncodeUtf8(Topic(noPage).ToStdString()) + " shows no web page");
    EXPECT_EQ(notices[1].rfind("no browser answers at 127.0.0.1:9, " + win::EncodeUtf8(Topic(notJson).ToStdString()) +
                                   "; start one with --remote-debugging-port=9222",
                               0),
              0u)
        << notices[1];
    EXPECT_EQ(notices[2].rfind("no browser to ask", 0), 0u) << notices[2];
}

}  // namespace
