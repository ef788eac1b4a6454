#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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
