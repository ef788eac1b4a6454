#include <gtest/gtest.h>

#include <string>

#include "contracts/host/IsProtocol.h"

namespace {

TEST(IsProtocol, SchemeComparesAsciiCaseInsensitively) {
    EXPECT_NE(is_protocol(u"http://www.example.com/", u"http:"), 0);
    EXPECT_NE(is_protocol(u"HTTP://WWW.EXAMPLE.COM/", u"http:"), 0);
    EXPECT_NE(is_protocol(u"HtTpS://example.com/", u"https:"), 0);
    EXPECT_NE(is_protocol(u"https://example.com/", u"HTTPS:"), 0);
    // Only ASCII folds: a full-width letter or a Kelvin sign is not a scheme letter.
    EXPECT_EQ(is_protocol(u"\uff48ttp://example.com/", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"\u212a://x", u"k:"), 0);
}

TEST(IsProtocol, WhiteSpaceAtTheEndsAndTabsOrNewlinesInsideAreIgnored) {
    EXPECT_NE(is_protocol(u"  HTTP://x ", u"http:"), 0);
    EXPECT_NE(is_protocol(u"\t\n\f\r http://x", u"http:"), 0);
    EXPECT_NE(is_protocol(u"\x01\x1f\x0b http://x", u"http:"), 0);  // C0 controls, not only HTML space
    EXPECT_NE(is_protocol(u"ht\ttp://x", u"http:"), 0);
    EXPECT_NE(is_protocol(u"h\rt\nt\tps\n\n:", u"https:"), 0);
    EXPECT_NE(is_protocol(u"http\n://x", u"http:"), 0);
    // Inside, only TAB, LF and CR go: a space, a form feed or another control breaks the scheme.
    EXPECT_EQ(is_protocol(u"ht tp://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"ht\ftp://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"ht\x01tp://x", u"http:"), 0);
    // No-break space is no C0 control.
    EXPECT_EQ(is_protocol(u"\u00a0http://x", u"http:"), 0);
}

TEST(IsProtocol, NearMissesAreNotTheProtocol) {
    EXPECT_EQ(is_protocol(u"https", u"https:"), 0);
    EXPECT_EQ(is_protocol(u"http", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"httpx://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"httpx:", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"ahttp://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"https://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"http://x", u"https:"), 0);
    EXPECT_EQ(is_protocol(u"htt", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"/http://x", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"   ", u"http:"), 0);
    // Only the scheme is judged: these are http URLs the checker will find broken.
    EXPECT_NE(is_protocol(u"http:/", u"http:"), 0);
    EXPECT_NE(is_protocol(u"http:", u"http:"), 0);
}

TEST(IsProtocol, NullAndOddArguments) {
    EXPECT_EQ(is_protocol(nullptr, u"http:"), 0);
    EXPECT_EQ(is_protocol(u"http://x", nullptr), 0);
    EXPECT_EQ(is_protocol(nullptr, nullptr), 0);
    EXPECT_EQ(is_protocol(u"http://x", u""), 0);
    EXPECT_EQ(is_protocol(u":x", u":"), 0);
    // The colon of the protocol may be left out; the text must still have it.
    EXPECT_NE(is_protocol(u"http://x", u"http"), 0);
    EXPECT_EQ(is_protocol(u"https://x", u"http"), 0);
    // U+0000 ends the text.
    const std::u16string cut(u"htt\0p://x", 9);
    EXPECT_EQ(is_protocol(cut.c_str(), u"http:"), 0);
}

TEST(IsProtocol, OtherSchemes) {
    EXPECT_NE(is_protocol(u"mailto:someone@example.com", u"mailto:"), 0);
    EXPECT_EQ(is_protocol(u"mailto:someone@example.com", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"javascript:void(0)", u"https:"), 0);
    EXPECT_EQ(is_protocol(u"//cdn.example.com/x.js", u"http:"), 0);
    EXPECT_EQ(is_protocol(u"page.html", u"http:"), 0);
}

}  // namespace
