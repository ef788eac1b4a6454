#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contracts/host/CQuorCommon.h"
#include "hostlibs/run/RunContext.h"
#include "hostlibs/url/RequestLimits.h"
#include "tests/registry/RegistryTestSupport.h"

namespace {

using RunSettings = regtest::RegistryTest;

std::shared_ptr<tarn::RunContext> runInMemory() {
    tarn::RunOptions options;
    options.settings = tarn::SettingsStore::InMemory;
    return std::make_shared<tarn::RunContext>(std::move(options));
}

// A batch run keeps the dialog's settings in memory for all its pages, never writes the file, and its
// changes end with it: the next run reads the user's settings as they were.
TEST_F(RunSettings, InMemoryForTheWholeRunAndForgottenAfterIt) {
    HKEY key = Create(regtest::kOptionsKey);
    ASSERT_EQ(SetDword(key, u"size", 1), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string before = FileText();
    {
        const std::shared_ptr<tarn::RunContext> run = runInMemory();
        const tarn::RunScope runScope(run);
        {
            const tarn::RunScope pageScope(run->page());
            key = Create(regtest::kOptionsKey);
            ASSERT_EQ(SetDword(key, u"size", 2), ERROR_SUCCESS);
            RegCloseKey(key);
        }
        key = Create(regtest::kOptionsKey);
        EXPECT_EQ(QueryDword(key, u"size"), 2u);
        RegCloseKey(key);
        EXPECT_EQ(FileText(), before);
    }
    key = Create(regtest::kOptionsKey);
    EXPECT_EQ(QueryDword(key, u"size"), 1u);
    ASSERT_EQ(SetDword(key, u"size", 3), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(FileText(), before);
}

// The settings bound the limits as the command line does (1-256 in all, 1-64 to one host); a value out
// of range is brought into it and said in one line. The command line's limits win.
TEST_F(RunSettings, RequestLimitsFromTheSettingsAreBounded) {
    struct Case {
        DWORD parallel, perHost;
        int boundedParallel, boundedPerHost;
        std::size_t lines;
    };
    for (const Case& c : {Case{0x10000, 0x1000, 256, 64, 2}, Case{0xFFFFFFFF, 0xFFFFFFFF, 256, 64, 2},
                          Case{0, 65, 1, 64, 2}, Case{256, 64, 256, 64, 0}, Case{1, 1, 1, 1, 0}}) {
        HKEY key = Create(CQuorCommon::getHKCUTarnpageOptions().GetString());
        ASSERT_EQ(SetDword(key, u"checkParallel", c.parallel), ERROR_SUCCESS);
        ASSERT_EQ(SetDword(key, u"checkPerHost", c.perHost), ERROR_SUCCESS);
        RegCloseKey(key);
        std::vector<std::string> lines;
        const tarn::RequestLimits limits =
            tarn::requestLimits({}, [&lines](const std::string& line) { lines.push_back(line); });
        EXPECT_EQ(limits.parallel, c.boundedParallel) << c.parallel;
        EXPECT_EQ(limits.perHost, c.boundedPerHost) << c.perHost;
        EXPECT_EQ(lines.size(), c.lines);
        if (!lines.empty()) {
            EXPECT_NE(lines.front().find("checkParallel"), std::string::npos) << lines.front();
            EXPECT_EQ(lines.front().find('\n'), std::string::npos);
        }
    }
    std::vector<std::string> lines;
    const tarn::RequestLimits given = tarn::requestLimits(
        {.parallel = 8, .perHost = 2}, [&lines](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(given.parallel, 8);
    EXPECT_EQ(given.perHost, 2);
    EXPECT_TRUE(lines.empty());
}

}  // namespace
