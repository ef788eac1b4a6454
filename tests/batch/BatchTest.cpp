#include <gtest/gtest.h>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"
#include "tests/batch/XmlTree.h"

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

// A folder the user may not read is named as itself, and the pages beside it and after it are still
// checked. Run as an unprivileged user, since permissions do not hold root back.
TEST_F(BatchTest, AnUnreadableFolderIsNamedAndTheRestIsChecked) {
    std::vector<std::string> asUser;
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr || access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "no unprivileged user to run as";
        asUser = {"--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid),
                  "--clear-groups", TARN_PROGRAM};
    }
    const fs::path site = folder / "h";
    for (const char* sub : {"b", "c"})
        fs::create_directories(site / sub);
    for (const char* name : {"a.html", "b/hidden.html", "c/d.html", "z.html"})
        writePage(pageLinking(link("/ok")), "h/" + std::string(name));
    // Everything but the folder "b" may be read by anyone.
    for (fs::path path : {folder, folder / "config", folder / "config" / "tarn", site, site / "c"})
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(site / "b", fs::perms::none);

    std::vector<std::string> args = asUser;
    args.insert(args.end(), {"--check", site.string()});
    std::string output;
    const int status = runToEnd(asUser.empty() ? TARN_PROGRAM : "/usr/bin/setpriv", args, environment(),
                                folder / "stderr.txt", &output);
    fs::permissions(site / "b", fs::perms::owner_all);
    EXPECT_EQ(status, 2) << errors();
    EXPECT_NE(errors().find(site.string() + "/b: cannot search the folder: Permission denied"), std::string::npos)
        << errors();
    for (const char* name : {"a.html", "c/d.html", "z.html"})
        EXPECT_NE(output.find(site.string() + "/" + name + ": 1 links, 1 OK"), std::string::npos) << output;
    EXPECT_NE(output.find("4 pages: 3 links, 3 OK"), std::string::npos) << output;
}

// A report that could not be written whole fails the run, with a word on standard error: a CI job must
// not pass on an empty report.
TEST_F(BatchTest, AReportThatCannotBeWrittenFailsTheRun) {
    const std::string page = writePage(pageLinking(link("/ok")));
    for (const char* format : {"text", "junit"}) {
        EXPECT_EQ(runToEnd("/bin/sh", {"-c", "exec \"$0\" \"$@\" > /dev/full", TARN_PROGRAM, "--check", "--format",
                                       format, page},
                           environment(), folder / "stderr.txt"),
                  2)
            << format;
        EXPECT_NE(errors().find("cannot write the report to standard output: No space left on device"),
                  std::string::npos)
            << errors();
    }
}

// SIGINT stops the run under way at once with the dialog's Stop; the report gives what was checked, and
// says that the run was interrupted.
TEST_F(BatchTest, InterruptReportsWhatWasChecked) {
    useAutomaticStart();
    server.server().Get("/stall", [this](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
    const std::string page =
        writePage(pageLinking(link("/ok")) + pageLinking(link("/stall")) + pageLinking(link("/ok?2")));
    int requests = 0;
    const auto interrupted = [&](const std::string& format) {
        // One request at a time, so the request for /stall means that /ok's answer is in.
        ProgramProcess program(TARN_PROGRAM, {"--check", "--parallel", "1", "--format", format, page}, environment(),
                               folder / "stderr.txt");
        program.closeInput();
        // HEAD /ok, then HEAD /stall, which never answers.
        requests += 2;
        EXPECT_TRUE(server.waitForRequests(requests));
        EXPECT_EQ(kill(program.pid(), SIGINT), 0);
        EXPECT_EQ(program.wait(std::chrono::seconds(2)), std::optional<int>(130)) << "not ended by the signal";
        std::string output;
        for (const std::string& line : program.readRest(std::chrono::seconds(1)))
            output += line + "\n";
        return output;
    };
    const json report = json::parse(interrupted("json"));
    EXPECT_EQ(report["interrupted"], true);
    const json& links = report["pages"][0]["links"];
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0]["key"], "ok");
    EXPECT_EQ(links[1]["key"], "stopped");
    EXPECT_EQ(links[2]["key"], "stopped");

    const std::string xml = interrupted("junit");
    const std::unique_ptr<XmlElement> root = parseXml(xml);
    ASSERT_TRUE(root && root->first("testsuite") && root->first("testsuite")->first("properties")) << xml;
    const XmlElement* property = root->first("testsuite")->first("properties")->first("property");
    ASSERT_NE(property, nullptr) << xml;
    EXPECT_EQ(property->attributes.at("name"), "interrupted");
    EXPECT_EQ(property->attributes.at("value"), "true");
}

}  // namespace
}  // namespace tarn::test
