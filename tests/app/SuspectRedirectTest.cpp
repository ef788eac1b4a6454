#include <gtest/gtest.h>

#include "app/SuspectRedirect.h"

namespace {

std::string reason(const char* from, const char* to, bool allowCrossHost = false) {
    const std::optional<SuspectKind> kind = suspectRedirect(from, to, allowCrossHost);
    return kind ? suspectReason(*kind) : "";
}

// The borders of each rule, which a loopback site cannot show: whole words, the root's query, the link's
// own kind, registrable domains by the public suffix list. No address here is asked for.
TEST(SuspectRedirect, TellsMovedPagesFromPagesThatLeadElsewhere) {
    EXPECT_EQ(reason("http://example.com/old", "https://www.example.com/new"), "");
    EXPECT_EQ(reason("http://example.com/old", "https://example.com/"), "site root");
    EXPECT_EQ(reason("http://example.com/old", "https://example.com/Index.html"), "site root");
    EXPECT_EQ(reason("http://example.com/old", "https://example.com/?p=12"), "");
    EXPECT_EQ(reason("http://example.com/", "https://example.com/"), "");

    EXPECT_EQ(reason("http://example.com/team", "http://example.com/users/sign_in?return=/team"), "login page");
    EXPECT_EQ(reason("http://example.com/team", "http://example.com/x?action=LogIn"), "login page");
    EXPECT_EQ(reason("http://example.com/team", "http://example.com/authors/team"), "");
    EXPECT_EQ(reason("http://example.com/login", "http://example.com/account/login"), "");

    EXPECT_EQ(reason("http://shop.example.co.uk/a", "http://example.co.uk/a"), "");
    EXPECT_EQ(reason("http://example.co.uk/a", "http://parked.co.uk/a"), "another host");
    EXPECT_EQ(reason("http://example.co.uk/a", "http://parked.co.uk/a", true), "");
    EXPECT_EQ(reason("http://user@Example.COM.:8080/a", "http://example.com/b"), "");
    EXPECT_EQ(reason("http://192.0.2.1/a", "http://192.0.2.2/a"), "another host");
    EXPECT_EQ(reason("http://[2001:db8::1]:80/a", "http://[2001:db8::1]/b"), "");
    // The root and a login page are never written, another host or not.
    EXPECT_EQ(reason("http://example.com/a", "http://elsewhere.example/", true), "site root");
}

}  // namespace
