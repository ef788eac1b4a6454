#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"
#include "tests/batch/XmlTree.h"

using nlohmann::json;

namespace tarn::test {
namespace {

// A loopback port bound but not listening: a connection to it is refused.
class RefusingPort {
public:
    RefusingPort() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~RefusingPort() { ::close(fd_); }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/x"; }

private:
    int fd_ = -1;
    int port_ = 0;
};

class ReportTest : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        bytes = "<html><body>\n<p><a href=\"" + link("/ok") + "\">good</a>\n<a href=\"" + link("/gone") +
                "\">gone&#x202E;txt</a>\n  <img src=\"" + link("/a") + "\" alt=\"moved\">\n<a href=\"" +
                refusing.url() + "\">refused</a>\n</body></html>\n";
        page = writePage(bytes);
    }

    RefusingPort refusing;
    std::string bytes;
    std::string page;
};

// The manual start is on (ProgramTest's setting): the check presses Start itself, and leaves the
// settings file as it was.
TEST_F(ReportTest, JsonHasEveryLinkFieldByField) {
    const std::string before = settings();
    std::string output;
    ASSERT_EQ(check({"--format", "json", page}, output), 1) << errors();
    EXPECT_EQ(settings(), before);
    const json report = json::parse(output);
    ASSERT_EQ(report["pages"].size(), 1u);
    const json& result = report["pages"][0];
    EXPECT_EQ(result["path"], page);
    ASSERT_EQ(result["links"].size(), 4u);

    auto expectLink = [&](const json& got, const std::string& url, const std::string& shown, const std::string& key,
                          int status, const std::string& code, const std::string& tag, const std::string& attribute,
                          const std::string& text, const std::string& at) {
        SCOPED_TRACE(url);
        EXPECT_EQ(got["url"], url);
        EXPECT_EQ(got["result"], shown);
        EXPECT_EQ(got["key"], key);
        EXPECT_EQ(got["status"], status);
        EXPECT_EQ(got["code"], code);
        EXPECT_EQ(got["tag"], tag);
        EXPECT_EQ(got["attribute"], attribute);
        EXPECT_EQ(got["text"], text);
        const auto [line, column] = positionOf(bytes, at);
        EXPECT_EQ(got["line"], line);
        EXPECT_EQ(got["column"], column);
    };
    const json& links = result["links"];
    expectLink(links[0], link("/ok"), "OK", "ok", 200, "200", "A", "HREF", "good", "<a href=\"" + link("/ok"));
    expectLink(links[1], link("/gone"), "リンクエラー", "error", 404, "404", "A", "HREF", "gone\u202Etxt",
               "<a href=\"" + link("/gone"));
    expectLink(links[2], link("/a"), "OK", "ok", 301, "301", "IMG", "SRC", "moved", "<img");
    expectLink(links[3], refusing.url(), "リンクエラー", "error", 0, "接続エラー", "A", "HREF", "refused",
               "<a href=\"" + refusing.url());
    EXPECT_EQ(links[2]["redirect"], link("/b"));
    EXPECT_FALSE(links[0].contains("redirect"));
    EXPECT_EQ(links[3]["failure"], "connection refused");
    EXPECT_FALSE(links[1].contains("failure"));

    const json counts = {{"links", 4},    {"ok", 2},       {"errors", 2}, {"undetermined", 0},
                         {"excluded", 0}, {"accepted", 0}, {"blocked", 0}};
    EXPECT_EQ(result["counts"], counts);
    EXPECT_EQ(report["counts"], counts);
    EXPECT_EQ(report["interrupted"], false);
}

TEST_F(ReportTest, TextNamesEachPlaceAndJunitIsXmlWithAFailurePerLinkError) {
    std::string text;
    ASSERT_EQ(check({page}, text), 1) << errors();
    const auto [line, column] = positionOf(bytes, "<a href=\"" + link("/gone"));
    // The right-to-left override from the page does not reach the terminal.
    EXPECT_NE(text.find(page + ":" + std::to_string(line) + ":" + std::to_string(column) + ": リンクエラー 404 " +
                        link("/gone") + " (A HREF \"gone<U+202E>txt\")\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" 接続エラー " + refusing.url() + " (A HREF \"refused\") [connection refused]\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find(link("/ok")), std::string::npos) << "OK links are listed only with --all";
    EXPECT_NE(text.find(page + ": 4 links, 2 OK, 2 link errors, 0 undetermined, "), std::string::npos) << text;
    EXPECT_NE(text.find("1 page: 4 links, 2 OK, 2 link errors, 0 undetermined, "), std::string::npos) << text;

    ASSERT_EQ(check({"--all", page}, text), 1);
    EXPECT_NE(text.find(": OK 301 " + link("/a") + " (IMG SRC \"moved\") -> " + link("/b") + "\n"), std::string::npos)
        << text;

    std::string xml;
    ASSERT_EQ(check({"--format", "junit", page}, xml), 1);
    std::unique_ptr<XmlElement> root = parseXml(xml);
    ASSERT_NE(root, nullptr) << xml;
    EXPECT_EQ(root->name, "testsuites");
    EXPECT_EQ(root->attributes["tests"], "4");
    EXPECT_EQ(root->attributes["failures"], "2");
    const std::vector<const XmlElement*> suites = root->all("testsuite");
    ASSERT_EQ(suites.size(), 1u);
    EXPECT_EQ(suites[0]->attributes.at("name"), page);
    const std::vector<const XmlElement*> cases = suites[0]->all("testcase");
    ASSERT_EQ(cases.size(), 4u);
    int failures = 0;
    for (const XmlElement* testCase : cases) {
        if (const XmlElement* failure = testCase->first("failure")) {
            ++failures;
            EXPECT_EQ(failure->attributes.at("type"), "リンクエラー");
        }
    }
    EXPECT_EQ(failures, 2);
    const XmlElement* moved = cases[2]->first("system-out");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->text, "redirect: " + link("/b"));
    EXPECT_NE(cases[3]->first("failure")->attributes.at("message").find("[connection refused]"), std::string::npos);
}

}  // namespace
}  // namespace tarn::test
