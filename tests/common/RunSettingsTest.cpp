#include <gtest/gtest.h>

#include <memory>

#include "hostlibs/run/RunContext.h"
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

}  // namespace
