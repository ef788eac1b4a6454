#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/app/ProgramProcess.h"

namespace tarn::test {

// A temporary folder with a page in it, and a configuration folder of its own (XDG_CONFIG_HOME), where
// the check is set to start by hand unless a test asks for the automatic start, and a state folder
// (XDG_STATE_HOME).
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `bytes` as `name` in the folder and returns its path.
    std::string writePage(const std::string& bytes, const std::string& name = "page.html");
    static std::string readFile(const std::filesystem::path& path);
    // The check starts by itself when the dialog opens.
    void useAutomaticStart();
    std::vector<std::string> environment() const;

    // tarnlink --automate PAGE ARGS..., running.
    std::unique_ptr<ProgramProcess> startAutomated(const std::string& page, std::vector<std::string> args = {},
                                                   std::vector<std::string> extraEnvironment = {});
    // What the program wrote on its standard error so far.
    std::string errors() const { return readFile(folder / "stderr.txt"); }
    // The folder's entries besides the program's own (configuration, state, standard error), sorted.
    std::vector<std::string> pages() const;

    std::filesystem::path folder;

private:
    void writeManualStart(bool manual);
};

// The host calls of a state or exit line as "op(args)" strings, for readable comparisons.
std::vector<std::string> callStrings(const nlohmann::json& calls);

}  // namespace tarn::test
