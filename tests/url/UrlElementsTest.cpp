#include <gtest/gtest.h>

#include <array>
#include <string>

#include "contracts/host/Url.h"

namespace {

// One URL as a page writes it, with every element Url must find and the two rebuilt forms.
struct Case {
    const char* url;
    std::array<const char*, 10> elements;  // in URL_ELEMENT order
    const char* withoutParams;
    const char* request;
};

constexpr const char* kNames[] = {"scheme", "user", "password", "host", "port",
                                  "path", "file", "params", "query", "fragment"};

void expectSplit(const Case& c) {
    SCOPED_TRACE(c.url);
    const Url url(CString::FromUtf8(c.url));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(url.get_element(static_cast<tarn::URL_ELEMENT>(i)).ToUtf8(), c.elements[i]) << kNames[i];
    EXPECT_EQ(url.get_url_woparams().ToUtf8(), c.withoutParams);
    EXPECT_EQ(url.requestUrl().ToUtf8(), c.request);
}

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        expectSplit(c);
}

TEST(UrlElements, HttpUrls) {
    expectAll({
        {"http://www.example.com/", {"http", "", "", "www.example.com", "", "/", "", "", "", ""},
         "http://www.example.com/", "http://www.example.com/"},
        {"HTTP://Example.COM/Docs/Index.HTML", {"HTTP", "", "", "Example.COM", "", "/Docs/", "Index.HTML", "", "", ""},
         "HTTP://Example.COM/Docs/Index.HTML", "HTTP://Example.COM/Docs/Index.HTML"},
        {"http://example.com", {"http", "", "", "example.com", "", "", "", "", "", ""},
         "http://example.com", "http://example.com"},
        {"http://example.com?q=1", {"http", "", "", "example.com", "", "", "", "", "q=1", ""},
         "http://example.com?q=1", "http://example.com?q=1"},
        {"http://example.com#top", {"http", "", "", "example.com", "", "", "", "", "", "top"},
         "http://example.com#top", "http://example.com"},
        {"https://example.com/a/b/c.html?x=1&y=2#sec-2",
         {"https", "", "", "example.com", "", "/a/b/", "c.html", "", "x=1&y=2", "sec-2"},
         "https://example.com/a/b/c.html?x=1&y=2#sec-2", "https://example.com/a/b/c.html?x=1&y=2"},
        {"http://example.com/p?q#f?g#h", {"http", "", "", "example.com", "", "/", "p", "", "q", "f?g#h"},
         "http://example.com/p?q#f?g#h", "http://example.com/p?q"},
        {"http://example.com/?#", {"http", "", "", "example.com", "", "/", "", "", "", ""},
         "http://example.com/?#", "http://example.com/?"},
    });
}

TEST(UrlElements, ParamsOfTheLastSegment) {
    expectAll({
        {"https://shop.example.com:8443/cart/checkout.jsp;jsessionid=A1B2C3?step=2&x=1#pay",
         {"https", "", "", "shop.example.com", "8443", "/cart/", "checkout.jsp", "jsessionid=A1B2C3", "step=2&x=1",
          "pay"},
         "https://shop.example.com:8443/cart/checkout.jsp?step=2&x=1#pay",
         "https://shop.example.com:8443/cart/checkout.jsp;jsessionid=A1B2C3?step=2&x=1"},
        {"page;jsessionid=1?id=5", {"", "", "", "", "", "", "page", "jsessionid=1", "id=5", ""}, "page?id=5",
         "page;jsessionid=1?id=5"},
        {"../up/page.php;a=1;b=2?x", {"", "", "", "", "", "../up/", "page.php", "a=1;b=2", "x", ""},
         "../up/page.php?x", "../up/page.php;a=1;b=2?x"},
        {"https://example.com/a/b/;jsessionid=XYZ#f",
         {"https", "", "", "example.com", "", "/a/b/", "", "jsessionid=XYZ", "", "f"}, "https://example.com/a/b/#f",
         "https://example.com/a/b/;jsessionid=XYZ"},
        {"http://example.com/page;", {"http", "", "", "example.com", "", "/", "page", "", "", ""},
         "http://example.com/page", "http://example.com/page;"},
        {"//cdn.example.com/lib.js;v=2", {"", "", "", "cdn.example.com", "", "/", "lib.js", "v=2", "", ""},
         "//cdn.example.com/lib.js", "//cdn.example.com/lib.js;v=2"},
        // A ';' in a middle segment, the query or the fragment is not a param.
        {"http://example.com/a;v=1/b", {"http", "", "", "example.com", "", "/a;v=1/", "b", "", "", ""},
         "http://example.com/a;v=1/b", "http://example.com/a;v=1/b"},
        {"http://example.com/a;v=1/b;v=2", {"http", "", "", "example.com", "", "/a;v=1/", "b", "v=2", "", ""},
         "http://example.com/a;v=1/b", "http://example.com/a;v=1/b;v=2"},
        {"http://example.com/search?q=a;b#c;d", {"http", "", "", "example.com", "", "/", "search", "", "q=a;b", "c;d"},
         "http://example.com/search?q=a;b#c;d", "http://example.com/search?q=a;b"},
        {"http://example.com/x#frag;y", {"http", "", "", "example.com", "", "/", "x", "", "", "frag;y"},
         "http://example.com/x#frag;y", "http://example.com/x"},
        // Escapes stay as written; an escaped ';' is part of the name.
        {"http://example.com/a%20b/%3Bc%3Bd.html;p%3D1%",
         {"http", "", "", "example.com", "", "/a%20b/", "%3Bc%3Bd.html", "p%3D1%", "", ""},
         "http://example.com/a%20b/%3Bc%3Bd.html", "http://example.com/a%20b/%3Bc%3Bd.html;p%3D1%"},
        // No authority in the way: the host ends at the first '/'.
        {"http://example.com;jsessionid=1/x", {"http", "", "", "example.com;jsessionid=1", "", "/", "x", "", "", ""},
         "http://example.com;jsessionid=1/x", "http://example.com;jsessionid=1/x"},
    });
}

TEST(UrlElements, AuthorityParts) {
    expectAll({
        {"http://[::1]:8080/status", {"http", "", "", "[::1]", "8080", "/", "status", "", "", ""},
         "http://[::1]:8080/status", "http://[::1]:8080/status"},
        {"http://[2001:db8::7]/", {"http", "", "", "[2001:db8::7]", "", "/", "", "", "", ""},
         "http://[2001:db8::7]/", "http://[2001:db8::7]/"},
        {"http://user:pw@[fe80::1%25eth0]:81/x;s=1",
         {"http", "user", "pw", "[fe80::1%25eth0]", "81", "/", "x", "s=1", "", ""},
         "http://user:pw@[fe80::1%25eth0]:81/x", "http://user:pw@[fe80::1%25eth0]:81/x;s=1"},
        {"ftp://user:pw@ftp.example.org/pub/file.tar.gz",
         {"ftp", "user", "pw", "ftp.example.org", "", "/pub/", "file.tar.gz", "", "", ""},
         "ftp://user:pw@ftp.example.org/pub/file.tar.gz", "ftp://user:pw@ftp.example.org/pub/file.tar.gz"},
        {"http://user@example.com", {"http", "user", "", "example.com", "", "", "", "", "", ""},
         "http://user@example.com", "http://user@example.com"},
        {"http://a@b:c:d@example.com:8/", {"http", "a@b", "c:d", "example.com", "8", "/", "", "", "", ""},
         "http://a@b:c:d@example.com:8/", "http://a@b:c:d@example.com:8/"},
        {"http://:@example.com/", {"http", "", "", "example.com", "", "/", "", "", "", ""},
         "http://:@example.com/", "http://:@example.com/"},
        {"http://example.com:/", {"http", "", "", "example.com", "", "/", "", "", "", ""},
         "http://example.com:/", "http://example.com:/"},
        {"http://example.com:80a/x", {"http", "", "", "example.com", "80a", "/", "x", "", "", ""},
         "http://example.com:80a/x", "http://example.com:80a/x"},
        // Broken IPv6 literals stay whole in the host.
        {"http://[::1/x", {"http", "", "", "[::1", "", "/", "x", "", "", ""}, "http://[::1/x", "http://[::1/x"},
        {"http://[::1]junk:80/", {"http", "", "", "[::1]junk:80", "", "/", "", "", "", ""},
         "http://[::1]junk:80/", "http://[::1]junk:80/"},
        {"http:///x", {"http", "", "", "", "", "/", "x", "", "", ""}, "http:///x", "http:///x"},
    });
}

TEST(UrlElements, WhiteSpaceNonAsciiAndBackslashes) {
    expectAll({
        {"  \thttp://exa\nmple.com/pa\r\nge;x=1 \n\f",
         {"http", "", "", "example.com", "", "/", "page", "x=1", "", ""}, "http://example.com/page",
         "http://example.com/page;x=1"},
        // Spaces inside are kept: they are the page's text, escaped by the HTTP client.
        {"http://example.com/my file.html?a b", {"http", "", "", "example.com", "", "/", "my file.html", "", "a b", ""},
         "http://example.com/my file.html?a b", "http://example.com/my file.html?a b"},
        {"http://例え.jp/パス/ファイル.html;sid=ü?q=ö#ä",
         {"http", "", "", "例え.jp", "", "/パス/", "ファイル.html", "sid=ü", "q=ö", "ä"},
         "http://例え.jp/パス/ファイル.html?q=ö#ä", "http://例え.jp/パス/ファイル.html;sid=ü?q=ö"},
        {"http:\\\\host\\dir\\f.html;s=1?a\\b#c",
         {"http", "", "", "host", "", "\\dir\\", "f.html", "s=1", "a\\b", "c"}, "http:\\\\host\\dir\\f.html?a\\b#c",
         "http://host/dir/f.html;s=1?a\\b"},
        // Not special: a backslash is an ordinary character.
        {"foo://host\\x/y", {"foo", "", "", "host\\x", "", "/", "y", "", "", ""}, "foo://host\\x/y",
         "foo://host\\x/y"},
    });
}

TEST(UrlElements, OtherSchemesAndRelativeReferences) {
    expectAll({
        {"mailto:someone@example.com;other@example.com",
         {"mailto", "", "", "", "", "someone@example.com;other@example.com", "", "", "", ""},
         "mailto:someone@example.com;other@example.com", "mailto:someone@example.com;other@example.com"},
        {"javascript:void(0);", {"javascript", "", "", "", "", "void(0);", "", "", "", ""}, "javascript:void(0);",
         "javascript:void(0);"},
        {"urn:isbn:0451450523", {"urn", "", "", "", "", "isbn:0451450523", "", "", "", ""}, "urn:isbn:0451450523",
         "urn:isbn:0451450523"},
        {"file:///C:/dir/f.txt", {"file", "", "", "", "", "/C:/dir/", "f.txt", "", "", ""}, "file:///C:/dir/f.txt",
         "file:///C:/dir/f.txt"},
        {"x-my+scheme.v1://h/p;q", {"x-my+scheme.v1", "", "", "h", "", "/", "p", "q", "", ""}, "x-my+scheme.v1://h/p",
         "x-my+scheme.v1://h/p;q"},
        {"/abs/path/;jsessionid=9", {"", "", "", "", "", "/abs/path/", "", "jsessionid=9", "", ""}, "/abs/path/",
         "/abs/path/;jsessionid=9"},
        {"1http://x", {"", "", "", "", "", "1http://", "x", "", "", ""}, "1http://x", "1http://x"},
        {"?only=query", {"", "", "", "", "", "", "", "", "only=query", ""}, "?only=query", "?only=query"},
        {"#only", {"", "", "", "", "", "", "", "", "", "only"}, "#only", ""},
        {"", {"", "", "", "", "", "", "", "", "", ""}, "", ""},
        {" \t\n ", {"", "", "", "", "", "", "", "", "", ""}, "", ""},
    });
}

TEST(UrlElements, UnknownElementIsEmpty) {
    const Url url(u"http://user:pw@example.com:81/a/b;c?d#e");
    EXPECT_TRUE(url.get_element(static_cast<tarn::URL_ELEMENT>(10)).IsEmpty());
    EXPECT_TRUE(url.get_element(static_cast<tarn::URL_ELEMENT>(-1)).IsEmpty());
    EXPECT_EQ(url.get_element(tarn::URL_PARAMS), u"c");
}

}  // namespace
