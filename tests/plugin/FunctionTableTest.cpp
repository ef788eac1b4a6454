#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/plugin/PluginTestSupport.h"

namespace {

using tarn::test::Entry;
using tarn::test::SetFunctionAddress;

class FunctionTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(tarn::test::moduleHandle(), nullptr) << dlerror();
        setFunctionAddress = tarn::test::moduleExport();
        ASSERT_NE(setFunctionAddress, nullptr);
    }

    // 200 entries of a pattern, so that any byte written shows.
    static std::array<std::uint8_t, 200 * 8> patternTable() {
        std::array<std::uint8_t, 200 * 8> table{};
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = static_cast<std::uint8_t>(0xA5 ^ i);
        return table;
    }

    static std::vector<std::size_t> changedBytes(const std::array<std::uint8_t, 200 * 8>& table) {
        const auto before = patternTable();
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i] != before[i])
                changed.push_back(i);
        return changed;
    }

    static Entry entryAt1112(const std::uint8_t* table) {
        Entry entry = nullptr;
        std::memcpy(&entry, table + 1112, sizeof entry);
        return entry;
    }

    SetFunctionAddress setFunctionAddress = nullptr;
};

TEST_F(FunctionTableTest, AnotherVersionIsRefusedFirstAndNothingIsWritten) {
    auto table = patternTable();
    EXPECT_EQ(setFunctionAddress(table.data(), nullptr, 2, 200), 1);
    EXPECT_EQ(setFunctionAddress(table.data(), nullptr, 0, 200), 1);
    EXPECT_EQ(setFunctionAddress(table.data(), nullptr, -1, 10), 1);
    EXPECT_TRUE(changedBytes(table).empty());
    // The version is tested before the table.
    EXPECT_EQ(setFunctionAddress(nullptr, nullptr, 2, 200), 1);
}

TEST_F(FunctionTableTest, ANullTableIsRefusedBeforeTheCount) {
    EXPECT_EQ(setFunctionAddress(nullptr, nullptr, 1, 200), 2);
    EXPECT_EQ(setFunctionAddress(nullptr, nullptr, 1, 0), 2);
}

TEST_F(FunctionTableTest, ATableOf139EntriesOrFewerIsRefused) {
    auto table = patternTable();
    for (int count : {139, 0, -1, -140, INT32_MIN})
        EXPECT_EQ(setFunctionAddress(table.data(), nullptr, 1, count), 3) << count;
    EXPECT_TRUE(changedBytes(table).empty());
}

TEST_F(FunctionTableTest, OnlyTheEightBytesAtOffset1112TakeTheEntry) {
    auto table = patternTable();
    EXPECT_EQ(setFunctionAddress(table.data(), reinterpret_cast<void*>(0x1234), 1, 140), 0);
    for (std::size_t at : changedBytes(table)) {
        EXPECT_GE(at, 1112u);
        EXPECT_LT(at, 1120u);
    }
    Entry entry = entryAt1112(table.data());
    ASSERT_NE(entry, nullptr);
    // The address is inside the module.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(entry), &info), 0);
    Dl_info moduleInfo{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(setFunctionAddress), &moduleInfo), 0);
    EXPECT_EQ(info.dli_fbase, moduleInfo.dli_fbase);
}

TEST_F(FunctionTableTest, EveryCallWritesTheSameAddressAgain) {
    auto first = patternTable();
    ASSERT_EQ(setFunctionAddress(first.data(), nullptr, 1, 140), 0);
    auto second = patternTable();
    ASSERT_EQ(setFunctionAddress(second.data(), nullptr, 1, 1000), 0);
    ASSERT_EQ(setFunctionAddress(second.data(), nullptr, 1, 1000), 0);
    EXPECT_EQ(entryAt1112(first.data()), entryAt1112(second.data()));
    EXPECT_EQ(first, second);
}

TEST_F(FunctionTableTest, TheEntryWithANullHostDoesNothing) {
    auto table = patternTable();
    ASSERT_EQ(setFunctionAddress(table.data(), nullptr, 1, 140), 0);
    // No dialog: without a front end a dialog would wait for input for ever, so returning is the proof.
    entryAt1112(table.data())(nullptr);
}

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

TEST(ModuleExports, FSetFunctionAddressIsTheOnlyExportedSymbol) {
    std::istringstream lines(run(std::string(TARN_NM) + " -D --defined-only '" + TARN_MODULE_PATH + "'"));
    std::vector<std::string> symbols;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            symbols.push_back(type + " " + name);
    }
    EXPECT_EQ(symbols, std::vector<std::string>{"T FSetFunctionAddress"});
}

}  // namespace
