#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

namespace fs = std::filesystem;

std::string pageLinking(const std::string& url) { return "<p><a href=\"" + url + "\">x</a></p>\n"; }

// Every page of a folder is checked, in sorted order, an unreadable one is reported among them, and the
// exit status says the worst: 0 clean, 1 a link error, 2 a page that could not be read or a usage error.
TEST_F(BatchTest, FoldersAndExitCodes) {
    useAutomaticStart();
    fs::create_directories(folder / "site" / "sub");
    writePage(pageLinking(link("/ok")), "site/b.html");
    writePage(pageLinking(link("/t")), "site/sub/a.htm");
    writePage("not a page", "site/notes.txt");
    const std::string site = (folder / "site").string();
    std::string output;
    EXPECT_EQ(check({site}, output), 0) << errors();
    const std::size_t first = output.find(site + "/b.html: 1 links, 1 OK");
    const std::size_t second = output.find(site + "/sub/a.htm: 1 links, 1 OK");
    EXPECT_TRUE(first != std::string::npos && second != std::string::npos && first < second) << output;
    EXPECT_NE(output.find("2 pages: 2 links, 2 OK, 0 link errors"), std::string::npos) << output;

    const std::string broken = writePage(pageLinking(link("/gone")), "broken.html");
    EXPECT_EQ(check({site, broken}, output), 1);

    writePage(std::string("<p>\0\0\0</p>", 10), "site/binary.html");
    EXPECT_EQ(check({site, broken}, output), 2);
    EXPECT_NE(output.find(site + "/binary.html: not checked: "), std::string::npos) << output;
    EXPECT_NE(output.find(site + "/sub/a.htm: 1 links, 1 OK"), std::string::npos) << output;
    EXPECT_NE(output.find("4 pages: 3 links, 2 OK, 1 link errors"), std::string::npos) << output;
    EXPECT_NE(errors().find(site + "/binary.html"), std::string::npos);

    EXPECT_EQ(check({}, output), 2);
    EXPECT_EQ(check({"--format", "yaml", site}, output), 2);
}

// SIGINT stops the run under way at once with the dialog's Stop; the report gives what was checked.
TEST_F(BatchTest, InterruptReportsWhatWasChecked) {
    useAutomaticStart();
    server.server().Get("/stall", [this](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
    const std::string page =
        writePage(pageLinking(link("/ok")) + pageLinking(link("/stall")) + pageLinking(link("/ok?2")));
    // One request at a time, so the request for /stall means that /ok's answer is in.
    ProgramProcess program(TARN_PROGRAM, {"--check", "--parallel", "1", "--format", "json", page}, environment(),
                           folder / "stderr.txt");
    program.closeInput();
    // HEAD /ok, then HEAD /stall, which never answers.
    ASSERT_TRUE(server.waitForRequests(2));
    ASSERT_EQ(kill(program.pid(), SIGINT), 0);
    const std::optional<int> status = program.wait(std::chrono::seconds(2));
    ASSERT_TRUE(status.has_value()) << "still running after the signal";
    EXPECT_EQ(*status, 130);
    std::string output;
    for (const std::string& line : program.readRest(std::chrono::seconds(1)))
        output += line + "\n";
    const json report = json::parse(output);
    EXPECT_EQ(report["interrupted"], true);
    const json& links = report["pages"][0]["links"];
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0]["key"], "ok");
    EXPECT_EQ(links[1]["key"], "stopped");
    EXPECT_EQ(links[2]["key"], "stopped");
}

}  // namespace
}  // namespace tarn::test
