#include <gtest/gtest.h>

#include <string>

#include "contracts/host/CBrokenLinkTable.h"

namespace {

TEST(BrokenLinkTable, AddReportsNewUrlsAndExistsFindsThem) {
    CBrokenLinkTable table;
    EXPECT_FALSE(table.exists(u"http://example.com/missing.html"));
    EXPECT_TRUE(table.Add(u"http://example.com/missing.html", false));
    EXPECT_TRUE(table.exists(u"http://example.com/missing.html"));
    EXPECT_FALSE(table.Add(u"http://example.com/missing.html", false));
    EXPECT_FALSE(table.Add(u"http://example.com/missing.html", true));
    EXPECT_FALSE(table.exists(u"http://example.com/"));
    EXPECT_FALSE(table.exists(u""));

    CBrokenLinkTable nextRun;
    EXPECT_FALSE(nextRun.exists(u"http://example.com/missing.html"));
}

TEST(BrokenLinkTable, SchemeHostAndWhiteSpaceDoNotMakeANewUrl) {
    CBrokenLinkTable table;
    table.Add(u"HTTP://Example.COM/Path/Page.html", false);
    EXPECT_TRUE(table.exists(u"http://example.com/Path/Page.html"));
    EXPECT_TRUE(table.exists(u"  hTTp://EXAMPLE.com/Path/Page.html\n"));
    EXPECT_TRUE(table.exists(u"http://exam\tple.com/Path/Pa\r\nge.html"));
    EXPECT_FALSE(table.Add(u"\thttp://example.com/Path/Page.html ", false));

    table.Add(u"https://user:PW@[2001:DB8::A]:8443/x", false);
    EXPECT_TRUE(table.exists(u"HTTPS://user:PW@[2001:db8::a]:8443/x"));

    // The scheme's default port is the same as none; another scheme's is not.
    table.Add(u"http://example.com:80/p", false);
    EXPECT_TRUE(table.exists(u"http://example.com/p"));
    table.Add(u"https://example.com/s", false);
    EXPECT_TRUE(table.exists(u"https://EXAMPLE.com:443/s"));
    EXPECT_FALSE(table.exists(u"http://example.com:443/p"));
    EXPECT_FALSE(table.exists(u"https://example.com:80/s"));
}

TEST(BrokenLinkTable, EverythingElseComparesExactly) {
    CBrokenLinkTable table;
    table.Add(u"http://User@example.com/a/Page.html;s=1?Q=1#Top", false);
    EXPECT_TRUE(table.exists(u"http://User@example.com/a/Page.html;s=1?Q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://user@example.com/a/Page.html;s=1?Q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/page.html;s=1?Q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/Page.html?Q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/Page.html;s=1?q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/Page.html;s=1?Q=1#top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/Page.html;s=1?Q=1"));
    EXPECT_FALSE(table.exists(u"http://User@example.com:8080/a/Page.html;s=1?Q=1#Top"));
    EXPECT_FALSE(table.exists(u"http://User@example.com/a/Page%2Ehtml;s=1?Q=1#Top"));

    // Only ASCII folds in the host; a space inside is part of the URL.
    table.Add(u"http://\u00c4rger.de/", false);
    EXPECT_FALSE(table.exists(u"http://\u00e4rger.de/"));
    table.Add(u"http://example.com/my file", false);
    EXPECT_FALSE(table.exists(u"http://example.com/myfile"));
}

TEST(BrokenLinkTable, ManyUrlsStayDistinct) {
    CBrokenLinkTable table;
    constexpr int kCount = 100000;
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(table.Add(CString::FromUtf8("http://example.com/page" + std::to_string(i) + ".html"), false));
    for (int i = 0; i < kCount; i += 997) {
        EXPECT_TRUE(table.exists(CString::FromUtf8("HTTP://EXAMPLE.COM/page" + std::to_string(i) + ".html")));
        EXPECT_FALSE(table.exists(CString::FromUtf8("http://example.com/page" + std::to_string(i) + ".htm")));
    }
}

}  // namespace
