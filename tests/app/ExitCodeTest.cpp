#include <gtest/gtest.h>

#include "tests/app/ProgramTestSupport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace tarn::test {
namespace {

const std::string kPage = "<p><a href=\"http://127.0.0.1:9/x\">x</a></p>\n";

class ExitCodeTest : public ProgramTest {
protected:
    // Runs tarnlink with `args` and no input; its standard output lands in `output`.
    int run(const std::vector<std::string>& args, std::vector<std::string> extraEnvironment = {}) {
        std::vector<std::string> env = environment();
        env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
        output.clear();
        return runToEnd(TARN_PROGRAM, args, env, folder / "stderr.txt", &output);
    }
    bool errorsMention(const std::string& text) const { return errors().find(text) != std::string::npos; }

    std::string output;
};

TEST_F(ExitCodeTest, HelpAndVersionEndWith0AndUsageErrorsWith2) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(output.find("--root ID"), std::string::npos) << output;
    EXPECT_NE(output.find("--automate"), std::string::npos) << output;
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(output, "tarnlink 0.1.0\n");
    EXPECT_EQ(run({}), 2);
    EXPECT_TRUE(errorsMention("FILE is required")) << errors();
    EXPECT_EQ(run({"--bogus", writePage(kPage)}), 2);
    EXPECT_TRUE(errorsMention("--bogus")) << errors();
    EXPECT_EQ(run({"--automate", writePage(kPage), "--root"}), 2);
    EXPECT_TRUE(output.empty());
}

TEST_F(ExitCodeTest, PagesThatCannotBeCheckedEndWith2AndAClearMessage) {
    const std::string missing = (folder / "none.html").string();
    EXPECT_EQ(run({"--automate", missing}), 2);
    EXPECT_TRUE(errorsMention("cannot open " + missing)) << errors();
    EXPECT_EQ(run({"--automate", folder.string()}), 2);
    EXPECT_TRUE(errorsMention("not a regular file")) << errors();
    EXPECT_EQ(run({"--automate", writePage(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "image.html")}), 2);
    EXPECT_TRUE(errorsMention("binary data")) << errors();
    EXPECT_EQ(run({"--automate", writePage("just some words, a < b\n", "notes.html")}), 2);
    EXPECT_TRUE(errorsMention("no markup")) << errors();
    EXPECT_EQ(run({"--automate", writePage("", "empty.html")}), 2);
    // Nothing reached standard output: no dialog ran.
    EXPECT_TRUE(output.empty()) << output;
}

TEST_F(ExitCodeTest, WhatIsQuotedToPeopleCannotReachTheTerminalAsEscapes) {
    const std::string hostile = "\x1b]0;owned\x07\x1b[2J";
    EXPECT_EQ(run({"--automate", (folder / (hostile + ".html")).string()}), 2);
    EXPECT_EQ(run({"--bogus" + hostile, writePage(kPage)}), 2);
    EXPECT_EQ(run({"--automate", writePage(kPage), "--root", hostile}), 2);
    EXPECT_EQ(errors().find('\x1b'), std::string::npos) << errors();
    EXPECT_EQ(errors().find('\x07'), std::string::npos) << errors();
    EXPECT_TRUE(errorsMention("^[]0;owned^G^[[2J")) << errors();
}

TEST_F(ExitCodeTest, ARootIdThatNamesNoElementIsRefusedBeforeTheModuleIsLoaded) {
    std::string page = writePage(kPage);
    EXPECT_EQ(run({"--automate", page, "--root", "nowhere", "--module", "/nonexistent/module.so"}), 2);
    EXPECT_TRUE(errorsMention("no element with id \"nowhere\"")) << errors();
    EXPECT_FALSE(errorsMention("module")) << errors();
}

TEST_F(ExitCodeTest, WithoutATerminalTheDialogPointsToTheBatchAndScriptedRuns) {
    EXPECT_EQ(run({writePage(kPage)}), 2);
    EXPECT_TRUE(errorsMention("not a terminal")) << errors();
    EXPECT_TRUE(errorsMention("--check")) << errors();
    EXPECT_TRUE(errorsMention("--automate")) << errors();
}

TEST_F(ExitCodeTest, AModuleThatCannotBeLoadedOrRefusesTheTableEndsWith2) {
    std::string page = writePage(kPage);
    EXPECT_EQ(run({"--automate", page, "--module", (folder / "none.so").string()}), 2);
    EXPECT_TRUE(errorsMention("cannot load the link check module")) << errors();
    // A file that is no shared object.
    EXPECT_EQ(run({"--automate", page, "--module", page}), 2);
    EXPECT_TRUE(errorsMention("cannot load the link check module")) << errors();
    EXPECT_EQ(run({"--automate", page, "--module", TARN_FAKE_MODULE_PATH}, {"TARN_FAKE_MODULE=refuse"}), 2);
    EXPECT_TRUE(errorsMention("refused the function table (result 3")) << errors();
    EXPECT_EQ(run({"--automate", page, "--module", TARN_FAKE_MODULE_PATH}, {"TARN_FAKE_MODULE=no-entry"}), 2);
    EXPECT_TRUE(errorsMention("gave no entry")) << errors();
    EXPECT_TRUE(output.empty()) << output;
    EXPECT_EQ(readFile(page), kPage);
}

TEST_F(ExitCodeTest, ADialogThatCannotOpenEndsWith2) {
    std::string page = writePage(kPage);
    EXPECT_EQ(run({"--automate", page, "--module", TARN_FAKE_MODULE_PATH}, {"TARN_FAKE_MODULE=no-dialog"}), 2);
    EXPECT_TRUE(errorsMention("could not be opened")) << errors();
    json exit = json::parse(output);
    EXPECT_EQ(exit["modalResult"], -1);
    EXPECT_EQ(exit["saved"], false);
    EXPECT_EQ(callStrings(exit["hostCalls"]), std::vector<std::string>{"getHostWindow()"});
}

TEST_F(ExitCodeTest, AnExceptionLeavingTheEntryIsReportedAndNothingIsSaved) {
    std::string page = writePage(kPage);
    const std::pair<const char*, const char*> cases[] = {
        {"throw-std", "the fake module failed"},
        {"throw-framework", "the link check failed: "},
        {"throw-other", "an unknown exception"},
    };
    for (const auto& [behaviour, message] : cases) {
        EXPECT_EQ(run({"--automate", page, "--module", TARN_FAKE_MODULE_PATH},
                      {std::string("TARN_FAKE_MODULE=") + behaviour}),
                  2)
            << behaviour;
        EXPECT_TRUE(errorsMention(message)) << behaviour << ": " << errors();
        EXPECT_TRUE(errorsMention("nothing was saved")) << errors();
        json exit = json::parse(output, nullptr, false);
        EXPECT_EQ(exit["event"], "exit") << output;
        EXPECT_EQ(exit["saved"], false);
    }
    EXPECT_EQ(readFile(page), kPage);
}

}  // namespace
}  // namespace tarn::test
