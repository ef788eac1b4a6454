#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace tarn::test {
namespace {

// The program's paths are relative to its working folder, which it inherits from the test.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : before_(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(before_); }

private:
    fs::path before_;
};

class FixReviewTest : public BatchTest {
protected:
    void SetUp() override {
        server.server().Get("/wall",
                            [](const httplib::Request&, httplib::Response& response) { response.status = 999; });
        BatchTest::SetUp();
    }

    // Every kind of moved link: a good move, and moves to the root, a login page and another host.
    std::string movedLinks() const {
        return "<a href=\"" + link("/p") + "\">good</a>\n<a href=\"" + link("/moved") + "\">root</a>\n<a href=\"" +
               link("/members") + "\">login</a>\n<a href=\"" + link("/away") + "\">host</a>\n";
    }

    void writeSite(const fs::path& root, const std::map<std::string, std::string>& pages) {
        for (const auto& [name, bytes] : pages) {
            fs::create_directories((root / name).parent_path());
            std::ofstream(root / name, std::ios::binary) << bytes;
        }
    }
};

std::string replacedOnce(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Suspect redirects are never written: a root or a login page never, another host only when asked; both
// spellings of the option fix the same.
TEST_F(FixReviewTest, SuspectRedirectsAreLeftAloneAndSaidWhy) {
    const std::string bytes = "<html><body>\n" + movedLinks() + "</body></html>\n";
    const std::string page = writePage(bytes);
    std::string output;
    ASSERT_EQ(check({"--fix", "redirects", "--format", "json", page}, output), 0) << errors();
    json report = json::parse(output);
    EXPECT_EQ(report["pages"][0]["replaced"],
              json::array({{{"from", link("/p")}, {"to", link("/ok")}, {"why", "redirect"}}}));
    const std::string elsewhere = "http://localhost:" + link("/ok").substr(std::string("http://127.0.0.1:").size());
    EXPECT_EQ(report["pages"][0]["skipped"],
              json::array({{{"from", link("/moved")}, {"to", link("/")}, {"reason", "site root"}},
                           {{"from", link("/members")}, {"to", link("/login?next=/members")}, {"reason", "login page"}},
                           {{"from", link("/away")}, {"to", elsewhere}, {"reason", "another host"}}}));
    EXPECT_EQ(report["dryRun"], false);
    EXPECT_EQ(readFile(page), replacedOnce(bytes, link("/p"), link("/ok")));

    const std::string again = writePage(bytes, "again.html");
    ASSERT_EQ(check({"--fix-redirects", "--fix-cross-host", "--format", "json", again}, output), 0) << errors();
    report = json::parse(output);
    EXPECT_EQ(report["pages"][0]["replaced"].size(), 2u);
    EXPECT_EQ(report["pages"][0]["skipped"].size(), 2u);
    EXPECT_EQ(readFile(again), replacedOnce(replacedOnce(bytes, link("/p"), link("/ok")), link("/away"), elsewhere));
}

// A dry run writes no page; its patch, applied with git apply, and its SARIF replacements, applied to the
// bytes as read, give byte for byte what a real run writes: UTF-8 without a last line break, Shift_JIS
// with CR LF, a folder of pages.
TEST_F(FixReviewTest, DryRunPatchAndSarifGiveWhatARealRunWrites) {
    const std::string sjisText = "\x83\x8a\x83\x93\x83\x4e";  // "リンク" in Shift_JIS
    const std::map<std::string, std::string> site{
        {"site/utf8.html", "<html><body>\n<p>リンク <a href=\"" + link("/a") + "\">a</a> <a href='" + link("/p") +
                               "'>p</a></p>\n<p>1</p>\n<p>2</p>\n<p>3</p>\n<p>4</p>\n<p>5</p>\n<p>6</p>\n<p>7</p>\n"
                               "<a href=" + link("/moved") + ">root</a>\n<a href=\"" + link("/p") + "\">last</a></body></html>"},
        {"site/sub/sjis.html", "<html><head><meta charset=\"Shift_JIS\"></head>\r\n<body>\r\n<p>" + sjisText +
                                   " <a href=\"" + link("/a") + "\">" + sjisText + "</a></p>\r\n</body></html>\r\n"},
        {"site/sub/plain.html", "<html><body><a href=\"" + link("/ok") + "\">ok</a></body></html>\n"}};
    const fs::path dry = folder / "dry";
    const fs::path real = folder / "real";
    writeSite(dry, site);
    writeSite(real, site);

    std::string output;
    {
        const InFolder here(dry);
        ASSERT_EQ(check({"--fix", "redirects", "--dry-run", "--diff", "fixes.patch", "--format", "sarif", "--output",
                         "report.sarif", "site"},
                        output),
                  0)
            << errors();
    }
    EXPECT_EQ(output, "");
    for (const auto& [name, bytes] : site)
        EXPECT_EQ(readFile(dry / name), bytes) << name;
    {
        const InFolder here(real);
        ASSERT_EQ(check({"--fix-redirects", "site"}, output), 0) << errors();
    }
    ASSERT_NE(readFile(real / "site/utf8.html"), site.at("site/utf8.html"));

    const json sarif = json::parse(readFile(dry / "report.sarif"));
    EXPECT_EQ(sarif["version"], "2.1.0");
    EXPECT_EQ(sarif["runs"][0]["tool"]["driver"]["name"], "tarnlink");
    // Every replacement of a page, applied from the end, so the offsets of the bytes as read still hold.
    std::map<std::string, std::vector<json>> replacements;
    int fixes = 0;
    for (const json& result : sarif["runs"][0]["results"]) {
        for (const json& fix : result.value("fixes", json::array())) {
            ++fixes;
            for (const json& change : fix["artifactChanges"]) {
                for (const json& r : change["replacements"])
                    replacements[change["artifactLocation"]["uri"]].push_back(r);
            }
        }
    }
    std::map<std::string, std::string> applied;
    for (auto& [name, list] : replacements) {
        std::sort(list.begin(), list.end(), [](const json& a, const json& b) {
            return a["deletedRegion"]["byteOffset"] > b["deletedRegion"]["byteOffset"];
        });
        applied[name] = site.at(name);
        for (const json& r : list)
            applied[name].replace(r["deletedRegion"]["byteOffset"], r["deletedRegion"]["byteLength"],
                                  r["insertedContent"]["text"].get<std::string>());
    }
    EXPECT_EQ(fixes, 4);
    ASSERT_EQ(applied.size(), 2u);
    for (const auto& [name, bytes] : applied)
        EXPECT_EQ(bytes, readFile(real / name)) << name;

    ASSERT_EQ(std::system(("cd '" + dry.string() + "' && git apply fixes.patch 2>/dev/null").c_str()), 0)
        << readFile(dry / "fixes.patch");
    for (const auto& [name, bytes] : site)
        EXPECT_EQ(readFile(dry / name), readFile(real / name)) << name;
}

// A fake availability service beside its own dead and failing pages: it offers a snapshot on the main
// site for each URL it knows and keeps what it was asked (url -> timestamp).
class ArchiveService {
public:
    ArchiveService() {
        auto status = [this](const char* path, int code) {
            server.server().Get(path,
                                [code](const httplib::Request&, httplib::Response& response) { response.status = code; });
        };
        status("/lost", 404);
        status("/lost410", 410);
        status("/fails", 500);
        status("/garbled", 404);
        status("/huge", 404);
        server.server().Get("/available", [this](const httplib::Request& request, httplib::Response& response) {
            const std::lock_guard lock(mutex_);
            asked_[request.get_param_value("url")] = request.get_param_value("timestamp");
            const auto it = answers_.find(request.get_param_value("url"));
            response.set_content(it != answers_.end() ? it->second : R"({"archived_snapshots":{}})",
                                 "application/json");
        });
        server.start();
    }

    void offer(const std::string& url, const std::string& answer) {
        const std::lock_guard lock(mutex_);
        answers_[url] = answer;
    }

    std::map<std::string, std::string> asked() {
        const std::lock_guard lock(mutex_);
        return asked_;
    }

    LoopbackServer server;

private:
    std::mutex mutex_;
    std::map<std::string, std::string> answers_;
    std::map<std::string, std::string> asked_;
};

std::string snapshotAnswer(const std::string& url, const std::string& status) {
    return R"({"url":"x","archived_snapshots":{"closest":{"available":true,"status":)" + status + R"(,"url":")" +
           url + R"(","timestamp":"20200101000000"}}})";
}

// Dead links (404, 410, a host name that does not resolve) get the snapshot the service offers, for the
// day given or else the page file's; no fix for a 500, a link without a snapshot or an answer that is not
// the service's JSON; a snapshot that is dead itself is undone; redirect and archive fixes go together.
TEST_F(FixReviewTest, DeadLinksGetTheirArchivedCopies) {
    // A label longer than 63 bytes cannot be put in a DNS query: the name fails to resolve here, and no
    // query leaves the machine.
    const std::string nowhere = "http://" + std::string(64, 'n') + ".invalid/x";
    ArchiveService service;
    const auto page = [&service](const std::string& path) { return service.server.url(path); };
    service.offer(page("/lost"), snapshotAnswer(link("/ok?s=404"), "\"200\""));
    service.offer(page("/lost410"), snapshotAnswer(link("/ok?s=410"), "200"));
    service.offer(nowhere, snapshotAnswer(link("/ok?s=host"), "\"200\""));
    service.offer(page("/fails"), snapshotAnswer(link("/ok?s=500"), "\"200\""));
    service.offer(link("/gone"), snapshotAnswer(link("/gone"), "\"200\""));
    service.offer(page("/garbled"), R"({"archived_snapshots":{"closest":{"available":true,"status":)");
    // Longer than any availability answer may be.
    service.offer(page("/huge"), snapshotAnswer(link("/ok?s=huge"), "\"200\"" + std::string(70000, ' ')));
    std::string bytes = "<html><body>\n";
    for (const std::string& url : {page("/lost"), page("/lost410"), nowhere, page("/fails"), link("/gone"),
                                   page("/nothing"), page("/garbled"), page("/huge")})
        bytes += "<a href=\"" + url + "\">x</a>\n";
    bytes += "</body></html>\n";
    const std::string first = writePage(bytes);
    std::string output;
    EXPECT_EQ(check({"--fix", "archive", "--archive-endpoint", service.server.url("/available"), "--archive-date",
                     "20200102", "--format", "json", first},
                    output),
              1)
        << errors();
    const json report = json::parse(output);
    EXPECT_EQ(report["pages"][0]["replaced"],
              json::array({{{"from", page("/lost")}, {"to", link("/ok?s=404")}, {"why", "archive"}},
                           {{"from", page("/lost410")}, {"to", link("/ok?s=410")}, {"why", "archive"}},
                           {{"from", nowhere}, {"to", link("/ok?s=host")}, {"why", "archive"}}}));
    EXPECT_EQ(readFile(first), replacedOnce(replacedOnce(replacedOnce(bytes, page("/lost"), link("/ok?s=404")),
                                                         page("/lost410"), link("/ok?s=410")),
                                            nowhere, link("/ok?s=host")));
    const std::map<std::string, std::string> asked{{page("/lost"), "20200102"},  {page("/lost410"), "20200102"},
                                                   {nowhere, "20200102"},        {link("/gone"), "20200102"},
                                                   {page("/nothing"), "20200102"}, {page("/garbled"), "20200102"},
                                                   {page("/huge"), "20200102"}};
    EXPECT_EQ(service.asked(), asked);

    const std::string second = writePage("<html><body>\n<a href=\"" + link("/p") + "\">moved</a>\n<a href=\"" +
                                             page("/lost") + "\">dead</a>\n</body></html>\n",
                                         "second.html");
    ASSERT_EQ(std::system(("touch -d '2019-03-04 12:00:00 UTC' '" + second + "'").c_str()), 0);
    ASSERT_EQ(check({"--fix", "redirects,archive", "--dry-run", "--archive-endpoint", service.server.url("/available"),
                     "--format", "json", second},
                    output),
              1)
        << errors();
    EXPECT_EQ(json::parse(output)["pages"][0]["replaced"],
              json::array({{{"from", link("/p")}, {"to", link("/ok")}, {"why", "redirect"}},
                           {{"from", page("/lost")}, {"to", link("/ok?s=404")}, {"why", "archive"}}}));
    EXPECT_EQ(service.asked().at(page("/lost")), "20190304");

    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--archive-endpoint", "ftp://127.0.0.1/a"},
                                                  {"--archive-date", "20190230"}}) {
        std::vector<std::string> args = wrong;
        args.push_back(second);
        EXPECT_EQ(check(args, output), 2);
        EXPECT_NE(errors().find("\"" + wrong[1] + "\""), std::string::npos) << errors();
    }
}

// The CI formats: an annotation per link error, bot wall and fix, and a summary table written to a file.
TEST_F(FixReviewTest, GithubAndMarkdownReportsCarryErrorsAndFixes) {
    const std::string bytes = "<html><body>\n<a href=\"" + link("/gone") + "\">gone</a>\n" + movedLinks() +
                              "<a href=\"" + link("/wall") + "\">wall</a>\n</body></html>\n";
    const std::string page = writePage(bytes);
    std::string output;
    {
        const InFolder here(folder);
        EXPECT_EQ(check({"--fix", "redirects", "--dry-run", "--format", "github", "page.html"}, output), 1) << errors();
    }
    EXPECT_EQ(readFile(page), bytes);
    EXPECT_NE(output.find("::error file=page.html,line=2,col=1,title=link error::404 " + link("/gone") + "\n"),
              std::string::npos) << output;
    EXPECT_NE(output.find("::warning file=page.html,line=3,col=1,title=fix (dry run)::" + link("/p") + " -> " +
                          link("/ok") + " (redirect)\n"),
              std::string::npos) << output;
    EXPECT_NE(output.find("::warning file=page.html,line=4,col=1,title=suspect redirect left alone::" +
                          link("/moved") + " -> " + link("/") + " (site root)\n"),
              std::string::npos) << output;
    EXPECT_NE(output.find("::warning file=page.html,line=7,col=1,title=blocked link::999 " + link("/wall") +
                          " [status 999]\n"),
              std::string::npos) << output;

    const std::string summary = (folder / "summary.md").string();
    EXPECT_EQ(check({"--fix", "redirects", "--dry-run", "--format", "markdown", "--output", summary, page}, output), 1);
    EXPECT_EQ(output, "");
    const std::string markdown = readFile(summary);
    EXPECT_NE(markdown.find("| 6 | 2 | 1 | 2 | 1 | 3 |\n"), std::string::npos) << markdown;
    EXPECT_NE(markdown.find("### Fixes (dry run: not written)"), std::string::npos) << markdown;
    EXPECT_NE(markdown.find(" | 404 | "), std::string::npos) << markdown;
}

}  // namespace
}  // namespace tarn::test
