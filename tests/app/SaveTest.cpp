#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/ProgramTestSupport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace tarn::test {
namespace {

// What the program does after a module changed the document: the stand-in module changes the first
// link's href and tells the host, as the dialog's OK does.
class SaveTest : public ProgramTest {
protected:
    int runCorrecting(const std::string& page, std::vector<std::string> environment = {},
                      std::optional<std::size_t> fileSizeLimit = std::nullopt) {
        std::vector<std::string> env = this->environment();
        env.push_back("TARN_FAKE_MODULE=correct");
        env.insert(env.end(), environment.begin(), environment.end());
        output.clear();
        return runToEnd(TARN_PROGRAM, {"--automate", page, "--module", TARN_FAKE_MODULE_PATH}, env,
                        folder / "stderr.txt", &output, fileSizeLimit);
    }
    json exitLine() const { return json::parse(output, nullptr, false); }

    std::string output;
};

const std::string kPage = "<p>\r\n<a title=x href=\"http://127.0.0.1:9/old\">old</a>\r\n</p>";
const std::string kCorrected = "<p>\r\n<a title=x href=\"http://127.0.0.1:9/fixed\">old</a>\r\n</p>";

TEST_F(SaveTest, ACorrectedPageIsWrittenInPlaceAndSummarized) {
    std::string page = writePage(kPage);
    EXPECT_EQ(runCorrecting(page), 0) << errors();
    json exit = exitLine();
    EXPECT_EQ(exit["modalResult"], 1);
    EXPECT_EQ(callStrings(exit["hostCalls"]),
              (std::vector<std::string>{"getHostWindow()", "getDocument()", "notifyUpdate(0,268435460,0)"}));
    EXPECT_EQ(exit["saved"], true);
    EXPECT_EQ(exit["path"], fs::canonical(page).string());
    EXPECT_EQ(readFile(page), kCorrected);
    EXPECT_EQ(pages(), std::vector<std::string>{"page.html"});
    EXPECT_NE(errors().find("1 correction(s) written to " + fs::canonical(page).string()), std::string::npos)
        << errors();
}

TEST_F(SaveTest, APageChangedOnDiskMeanwhileGetsTheCorrectedPageBesideIt) {
    std::string page = writePage(kPage);
    EXPECT_EQ(runCorrecting(page, {"TARN_FAKE_TOUCH=" + page}), 0) << errors();
    const std::string beside = (fs::canonical(folder) / "page.corrected.html").string();
    EXPECT_EQ(exitLine()["path"], beside);
    EXPECT_EQ(exitLine()["saved"], true);
    EXPECT_EQ(readFile(page), kPage + "<!-- edited elsewhere -->");
    EXPECT_EQ(readFile(beside), kCorrected);
    EXPECT_NE(errors().find("written to " + beside + " instead"), std::string::npos) << errors();
}

TEST_F(SaveTest, AFailedSaveEndsWith2AndLeavesThePageIntact) {
    // Larger than the files the program may write.
    const std::string big = kPage + "<!--" + std::string(8192, '.') + "-->";
    std::string page = writePage(big);
    EXPECT_EQ(runCorrecting(page, {}, 4096), 2);
    json exit = exitLine();
    EXPECT_EQ(exit["modalResult"], 1);
    EXPECT_EQ(exit["saved"], false);
    EXPECT_EQ(exit["path"], nullptr);
    EXPECT_EQ(readFile(page), big);
    EXPECT_EQ(pages(), std::vector<std::string>{"page.html"});
    EXPECT_NE(errors().find("cannot write"), std::string::npos) << errors();
    EXPECT_NE(errors().find("the page is unchanged and its 1 correction(s) are lost"), std::string::npos) << errors();
}

TEST_F(SaveTest, APageThatCannotTakeTheCorrectionsGetsThemBesideItAndEndsWith2) {
    std::string page = writePage(kPage);
    EXPECT_EQ(runCorrecting(page, {"TARN_FAKE_REMOVE=" + page}), 2);
    const std::string beside = (folder / "page.corrected.html").string();
    EXPECT_EQ(exitLine()["saved"], true);
    EXPECT_EQ(exitLine()["path"], beside);
    EXPECT_EQ(readFile(beside), kCorrected);
    EXPECT_NE(errors().find("deleted meanwhile; 1 correction(s) written to " + beside + " instead"), std::string::npos)
        << errors();
}

}  // namespace
}  // namespace tarn::test
