#include <gtest/gtest.h>

#include "module/host/CParamEngineer.h"
#include "module/host/CQuorCommon.h"
#include "module/host/Cci.h"
#include "platform/afx/Utf8.h"
#include "tests/http/LoopbackServer.h"
#include "tests/registry/RegistryTestSupport.h"

#include <vector>

namespace {

class BrowserPage : public regtest::RegistryTest {
protected:
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
        return CString(afx::DecodeUtf8(server.url("").substr(std::string("http://").size())));
    }
};

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
                            {"type":"page","url":"http://127.0.0.1:8000/日本語.html?q=1","title":"ページ"},
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
    EXPECT_EQ(url, CString(u"http://127.0.0.1:8000/日本語.html?q=1"));
    EXPECT_EQ(title, CString(u"ページ"));
    EXPECT_EQ(notJson.requests(), 1);
    EXPECT_EQ(noPage.requests(), 1);
    EXPECT_EQ(browser.lastTarget(), "/json/list");

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
    EXPECT_FALSE(Cci(CStringArray(), nullptr).GetWindowInfo(untouched, untouched, static_cast<DWORD>(-1)));
    EXPECT_EQ(untouched, CString(u"kept"));
}

}  // namespace
