#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Only the permanent redirects whose end answers OK are replaced, in the page's bytes and nowhere else;
// a temporary redirect and a permanent one to a broken page stay.
TEST_F(BatchTest, FixRedirectsReplacesPermanentRedirectsThatEndWell) {
    const std::string bytes = "<html>\r\n<body>\r\n<a href='" + link("/a") + "'>chain</a>\r\n<a href=" + link("/p") +
                              ">moved</a>\r\n<a href=\"" + link("/t") + "\">temp</a>\r\n<a href=\"" + link("/bad") +
                              "\">bad</a>\r\n</body></html>\r\n";
    const std::string page = writePage(bytes);
    const std::string before = settings();
    std::string output;
    EXPECT_EQ(check({"--fix-redirects", "--format", "json", page}, output), 0) << errors();
    EXPECT_EQ(settings(), before);
    const json report = json::parse(output);
    const json expected = json::array({{{"from", link("/a")}, {"to", link("/ok")}, {"why", "redirect"}},
                                       {{"from", link("/p")}, {"to", link("/ok")}, {"why", "redirect"}}});
    EXPECT_EQ(report["pages"][0]["replaced"], expected);
    EXPECT_EQ(report["pages"][0]["writtenTo"], page);
    EXPECT_EQ(readFile(page), replaced(replaced(bytes, "'" + link("/a") + "'", "'" + link("/ok") + "'"),
                                       "=" + link("/p") + ">", "=" + link("/ok") + ">"));

    EXPECT_EQ(check({"--format", "json", page}, output), 0) << errors();
    const json links = json::parse(output)["pages"][0]["links"];
    ASSERT_EQ(links.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_EQ(links[i]["url"], link("/ok"));
        EXPECT_EQ(links[i]["status"], 200);
    }
    EXPECT_EQ(links[2]["status"], 302);
    EXPECT_EQ(links[3]["status"], 301);

    // A redirect to another fragment of the same page is no move: no fix, and not asked again.
    const std::string same = writePage("<a href=\"" + link("/here") + "\">here</a>", "same.html");
    const int asked = server.requests();
    EXPECT_EQ(check({"--fix-redirects", "--format", "json", same}, output), 0) << errors();
    EXPECT_FALSE(json::parse(output)["pages"][0].contains("replaced")) << output;
    EXPECT_EQ(server.requests(), asked + 1);
}

}  // namespace
}  // namespace tarn::test
