#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <fstream>

#include <nlohmann/json.hpp>

#include "tests/batch/BatchTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

// BatchTest's site, and /good (200), which counts its requests.
class CacheTest : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        server.server().Get("/good", [this](const httplib::Request&, httplib::Response&) { ++goodRequests; });
        server.server().Get("/stall", [this](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
        cacheFile = (folder / "answers.json").string();
    }
    std::string anchors(const std::vector<std::string>& paths) const {
        std::string page;
        for (const std::string& path : paths)
            page += "<p><a href=\"" + link(path) + "\">x</a></p>\n";
        return page;
    }
    json cached() const { return json::parse(readFile(cacheFile), nullptr, false); }

    std::atomic<int> goodRequests{0};
    std::string cacheFile;
};

// A second run asks no URL that answered well and asks the failures again; an age of 0s asks everything;
// a damaged cache is said, not used, and replaced; a run stopped by SIGINT keeps what it learnt.
TEST_F(CacheTest, GoodAnswersAreKeptAcrossRuns) {
    const std::string page = writePage(anchors({"/good", "/good?2", "/gone"}));
    std::string output;
    ASSERT_EQ(check({"--cache", cacheFile, page}, output), 1) << errors();
    EXPECT_EQ(goodRequests, 2);
    const int goneAsked = server.requests("HEAD") - 2;

    ASSERT_EQ(check({"--cache", cacheFile, "--format", "json", page}, output), 1) << errors();
    EXPECT_EQ(goodRequests, 2);
    EXPECT_EQ(server.requests("HEAD"), 2 + 2 * goneAsked) << "the failure is asked again";
    const json report = json::parse(output);
    const json& links = report["pages"][0]["links"];
    EXPECT_EQ(links[0]["key"], "ok");
    EXPECT_EQ(links[0]["status"], 200);
    EXPECT_EQ(links[0]["cached"], true);
    EXPECT_EQ(links[2]["key"], "error");
    EXPECT_FALSE(links[2].contains("cached"));

    ASSERT_EQ(check({"--cache", cacheFile, "--max-cache-age", "0s", page}, output), 1) << errors();
    EXPECT_EQ(goodRequests, 4);

    std::ofstream(cacheFile) << "{\"version\": 1, \"answers\": {";
    ASSERT_EQ(check({"--cache", cacheFile, page}, output), 1) << errors();
    EXPECT_NE(errors().find(cacheFile + ": the cache is damaged"), std::string::npos) << errors();
    EXPECT_EQ(goodRequests, 6);
    EXPECT_TRUE(cached()["answers"].contains(link("/good?2"))) << readFile(cacheFile);
    EXPECT_EQ(check({"--max-cache-age", "1w", page}, output), 2);

    const std::string stopped = writePage(anchors({"/good?3", "/stall"}), "stopped.html");
    const int before = server.requests();
    ProgramProcess program(TARN_PROGRAM, {"--check", "--parallel", "1", "--cache", cacheFile, stopped}, environment(),
                           folder / "stderr.txt");
    program.closeInput();
    // HEAD /good?3, then HEAD /stall, which never answers.
    ASSERT_TRUE(server.waitForRequests(before + 2));
    EXPECT_EQ(kill(program.pid(), SIGINT), 0);
    EXPECT_EQ(program.wait(std::chrono::seconds(5)), std::optional<int>(130));
    EXPECT_TRUE(cached()["answers"].contains(link("/good?3"))) << readFile(cacheFile);
    EXPECT_TRUE(cached()["answers"].contains(link("/good"))) << readFile(cacheFile);
}

// A permanent redirect is kept with its chain's end when that end answered well, though no fix asked for
// the chain; a temporary one, and one whose chain ends in a failure, are asked again.
TEST_F(CacheTest, PermanentRedirectsAreKeptWithTheEndOfTheirChain) {
    const std::string page = writePage(anchors({"/a", "/t", "/bad"}));
    std::string output;
    ASSERT_EQ(check({"--cache", cacheFile, page}, output), 0) << errors();
    const json answers = cached()["answers"];
    ASSERT_TRUE(answers.contains(link("/a"))) << answers.dump();
    EXPECT_EQ(answers[link("/a")]["end"], link("/ok"));
    EXPECT_EQ(answers[link("/a")]["location"], link("/b"));
    EXPECT_TRUE(answers.contains(link("/ok")));
    EXPECT_FALSE(answers.contains(link("/t")));
    EXPECT_FALSE(answers.contains(link("/bad")));

    ASSERT_EQ(check({"--cache", cacheFile, "--format", "json", page}, output), 0) << errors();
    const json links = json::parse(output)["pages"][0]["links"];
    EXPECT_EQ(links[0]["status"], 301);
    EXPECT_EQ(links[0]["cached"], true);
    EXPECT_FALSE(links[1].contains("cached"));
    EXPECT_FALSE(links[2].contains("cached"));

    // A fix still follows a kept redirect to its end, through the kept answers.
    ASSERT_EQ(check({"--cache", cacheFile, "--fix", "redirects", "--dry-run", "--format", "json", page}, output), 0)
        << errors();
    const json replaced = json::parse(output)["pages"][0]["replaced"];
    ASSERT_EQ(replaced.size(), 1u) << output;
    EXPECT_EQ(replaced[0]["to"], link("/ok"));
}

}  // namespace
}  // namespace tarn::test
