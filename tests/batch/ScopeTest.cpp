#include <gtest/gtest.h>

#include <atomic>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

// BatchTest's site, and /vendor (404), which counts every request it gets.
class ScopeTest : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        server.server().Get("/vendor", [this](const httplib::Request&, httplib::Response& response) {
            ++vendorRequests;
            response.status = 404;
        });
        server.server().Get("/forbidden", [](const httplib::Request&, httplib::Response& response) {
            response.status = 403;
        });
    }

    std::string anchor(const std::string& path, const std::string& attributes = "") const {
        return "<a href=\"" + link(path) + "\"" + attributes + ">x</a>\n";
    }
    std::vector<std::string> keys(const json& report) const {
        std::vector<std::string> out;
        for (const json& one : report["pages"][0]["links"])
            out.push_back(one["key"]);
        return out;
    }

    std::atomic<int> vendorRequests{0};
};

using Keys = std::vector<std::string>;

// An excluded link is never requested and never fails the run; an include wins over an exclude, and once
// one is given a link that matches no include is left out too. The text report lists them with --all only.
TEST_F(ScopeTest, ExcludesAndIncludes) {
    const std::string page = writePage(anchor("/ok") + anchor("/vendor?id=1") + anchor("/gone"));
    std::string output;
    ASSERT_EQ(check({"--format", "json", "--exclude", "vendor", "--exclude", "gone$", page}, output), 0) << errors();
    EXPECT_EQ(keys(json::parse(output)), (Keys{"ok", "excluded", "excluded"}));
    EXPECT_EQ(json::parse(output)["counts"]["excluded"], 2);
    EXPECT_EQ(vendorRequests, 0);
    EXPECT_EQ(server.requests(), 1);

    ASSERT_EQ(check({"--format", "json", "--include", "/ok", page}, output), 0) << errors();
    EXPECT_EQ(keys(json::parse(output)), (Keys{"ok", "excluded", "excluded"}));
    ASSERT_EQ(check({"--format", "json", "--exclude", "127\\.0\\.0\\.1", "--include", "vendor", page}, output), 1);
    EXPECT_EQ(keys(json::parse(output)), (Keys{"excluded", "error", "excluded"}));
    EXPECT_GT(vendorRequests, 0);

    ASSERT_EQ(check({"--exclude", "vendor|gone", page}, output), 0);
    EXPECT_EQ(output.find("excluded " + link("/vendor")), std::string::npos) << output;
    EXPECT_NE(output.find(": 3 links, 1 OK, 0 link errors, 0 undetermined, 2 excluded, "), std::string::npos) << output;
    ASSERT_EQ(check({"--all", "--exclude", "vendor|gone", page}, output), 0);
    EXPECT_NE(output.find(" excluded - " + link("/vendor?id=1") + " (A HREF \"x\")\n"), std::string::npos) << output;

    EXPECT_EQ(check({"--exclude", "(unclosed", page}, output), 2);
    EXPECT_NE(errors().find("\"(unclosed\" is not a regular expression"), std::string::npos) << errors();
}

// Either marker, on the link's element or any element around it, leaves the link out; the same URL
// unmarked elsewhere on the page is still checked.
TEST_F(ScopeTest, IgnoreMarkers) {
    const std::string page = writePage("<div data-proofer-ignore><p>" + anchor("/gone") + "<img src=\"" +
                                       link("/vendor?img") + "\"></p></div>\n" +
                                       anchor("/vendor", " data-tarnlink-ignore=\"\"") + anchor("/gone") +
                                       "<p DATA-TARNLINK-IGNORE=yes>" + anchor("/ok") + "</p>" + anchor("/ok"));
    std::string output;
    ASSERT_EQ(check({"--format", "json", page}, output), 1) << errors();
    EXPECT_EQ(keys(json::parse(output)), (Keys{"excluded", "excluded", "excluded", "error", "excluded", "ok"}));
    EXPECT_EQ(vendorRequests, 0);
}

// Accepted statuses do not fail the run and are said to be accepted; a malformed list is a usage error
// that quotes it.
TEST_F(ScopeTest, AcceptedCodes) {
    const std::string page = writePage(anchor("/ok") + anchor("/forbidden") + anchor("/gone"));
    std::string output;
    ASSERT_EQ(check({"--format", "json", "--accept", "200-299,403", page}, output), 1) << errors();
    EXPECT_EQ(keys(json::parse(output)), (Keys{"ok", "accepted", "error"}));
    ASSERT_EQ(check({"--accept", "403,400-499", page}, output), 0) << errors();
    EXPECT_NE(output.find(" accepted 404 " + link("/gone")), std::string::npos) << output;
    EXPECT_NE(output.find("3 links, 1 OK, 0 link errors, 0 undetermined, 2 accepted, "), std::string::npos) << output;

    for (const char* wrong : {"2xx", "299-200", "200,,404", "1000"}) {
        EXPECT_EQ(check({"--accept", wrong, page}, output), 2) << wrong;
        EXPECT_NE(errors().find("\"" + std::string(wrong) + "\" is not a list of statuses"), std::string::npos)
            << errors();
    }
}

}  // namespace
}  // namespace tarn::test
