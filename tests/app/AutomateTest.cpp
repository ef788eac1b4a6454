#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/ProgramTestSupport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace tarn::test {
namespace {

// Links to a port where nothing listens on this machine: a check, should one run, fails at once.
const std::string kPage =
    "<!DOCTYPE html>\r\n<html><head><title>Links</title>\r\n"
    "<link rel=\"stylesheet\" href=\"http://127.0.0.1:9/site.css\">\r\n"
    "</head><body>\r\n"
    "<div id=\"nav\"><a href=\"http://127.0.0.1:9/one\">one</a></div>\r\n"
    "<p id=\"text\"><a href='http://127.0.0.1:9/two'>two</a> <img src=http://127.0.0.1:9/pic.png alt=pic></p>\r\n"
    "</body></html>";

const std::vector<std::string> kCollection = {"getHostWindow()", "notifyBeforeDialog(1,1)", "getCheckRoots()",
                                              "useCheckRoots()", "getDocument()", "getDocument()"};

constexpr int IDC_CHANGE_URL_RADIO = 3010;
constexpr int IDC_DELETE_LINK_RADIO = 3009;
constexpr int IDC_APPLY = 3012;
constexpr int IDC_NEW_URL = 3013;

class AutomateTest : public ProgramTest {
protected:
    // The row whose URL cell (the last of six) is `url`; -1 when none.
    static int rowOf(const json& state, const std::string& url) {
        const json& rows = state.at("list").at("rows");
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (const json& cell : rows[i].at("cells"))
                if (cell == url)
                    return static_cast<int>(i);
        return -1;
    }

    // Records a correction of the link shown with `url`: a new URL, or (empty) its deletion.
    void correct(ProgramProcess& program, const std::string& url, const std::string& newUrl) {
        json state = program.command({{"op", "state"}}).at("state");
        int row = rowOf(state, url);
        ASSERT_GE(row, 0) << url;
        ASSERT_EQ(program.command({{"op", "clickRow"}, {"row", row}}), json({{"ok", true}}));
        if (newUrl.empty()) {
            ASSERT_EQ(program.command({{"op", "click"}, {"id", IDC_DELETE_LINK_RADIO}}), json({{"ok", true}}));
        } else {
            ASSERT_EQ(program.command({{"op", "click"}, {"id", IDC_CHANGE_URL_RADIO}}), json({{"ok", true}}));
            ASSERT_EQ(program.command({{"op", "type"}, {"id", IDC_NEW_URL}, {"text", newUrl}}), json({{"ok", true}}));
        }
        ASSERT_EQ(program.command({{"op", "click"}, {"id", IDC_APPLY}}), json({{"ok", true}}));
    }
};

TEST_F(AutomateTest, OkWithoutCorrectionsEndsAsCancelWithNoHostCallAfterTheDialog) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page);
    json state = program->command({{"op", "state"}});
    ASSERT_EQ(state.value("ok", false), true) << state.dump();
    EXPECT_EQ(state["state"]["caption"], "外部リンク チェック");
    EXPECT_EQ(callStrings(state["state"]["host"]["calls"]), kCollection);
    EXPECT_EQ(state["state"]["host"]["messages"], json::array());
    EXPECT_EQ(state["state"]["host"]["sourceCursor"], nullptr);
    EXPECT_EQ(state["state"]["list"]["rows"].size(), 4u);

    EXPECT_EQ(program->command({{"op", "click"}, {"id", 1}}), json({{"ok", true}}));
    json exit = program->readJson();
    EXPECT_EQ(exit["event"], "exit");
    EXPECT_EQ(exit["modalResult"], 2);
    EXPECT_EQ(callStrings(exit["hostCalls"]), kCollection);
    EXPECT_EQ(exit["saved"], false);
    EXPECT_EQ(exit["path"], nullptr);
    EXPECT_TRUE(program->readRest().empty());
    EXPECT_EQ(program->wait(), 0);
    EXPECT_EQ(readFile(page), kPage);
    EXPECT_EQ(pages(), std::vector<std::string>{"page.html"});
}

TEST_F(AutomateTest, RootsLimitTheWalkToTheirElements) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page, {"--root", "text", "--root", "nav"});
    json state = program->command({{"op", "state"}}).at("state");
    EXPECT_EQ(callStrings(state["host"]["calls"]),
              (std::vector<std::string>{"getHostWindow()", "notifyBeforeDialog(1,1)", "getCheckRoots()",
                                        "useCheckRoots()", "getDocument()", "getDocument()"}));
    // The roots in the order given: "text" first, then "nav"; the LINK in the head is outside both.
    ASSERT_EQ(state["list"]["rows"].size(), 3u);
    EXPECT_EQ(rowOf(state, "http://127.0.0.1:9/two"), 0);
    EXPECT_EQ(rowOf(state, "http://127.0.0.1:9/pic.png"), 1);
    EXPECT_EQ(rowOf(state, "http://127.0.0.1:9/one"), 2);
    program->closeInput();
    json exit = program->readJson();
    EXPECT_EQ(exit["modalResult"], 2);
    EXPECT_EQ(program->wait(), 0);
}

TEST_F(AutomateTest, CancelAndTheEndOfInputLeaveThePageByteIdentical) {
    // Bytes a rewrite would disturb: CR LF line ends, a byte that is not UTF-8, no final line break.
    const std::string bytes = "<p>caf\xE9</p>\r\n<a href=\"http://127.0.0.1:9/x\" >x</a>  ";
    std::string page = writePage(bytes);
    {
        auto program = startAutomated(page);
        EXPECT_EQ(program->command({{"op", "click"}, {"id", 2}}), json({{"ok", true}}));
        EXPECT_EQ(program->readJson()["modalResult"], 2);
        EXPECT_EQ(program->wait(), 0);
    }
    {
        auto program = startAutomated(page);
        program->closeInput();
        json exit = program->readJson();
        EXPECT_EQ(exit["event"], "exit");
        EXPECT_EQ(exit["modalResult"], 2);
        EXPECT_EQ(program->wait(), 0);
    }
    EXPECT_EQ(readFile(page), bytes);
    EXPECT_EQ(pages(), std::vector<std::string>{"page.html"});
}

TEST_F(AutomateTest, MalformedLinesAreAnsweredWithAnErrorAndChangeNothing) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page);
    json before = program->command({{"op", "state"}});
    ASSERT_EQ(before.value("ok", false), true);
    // A NUL ends the text for the JSON reader: the command before it must not run.
    const std::string withNul("{\"op\":\"click\",\"id\":2}\0garbage", 29);
    for (const std::string& line : {std::string("not json"), std::string(), std::string("{\"op\":"), std::string("[1,2]"),
                                    std::string("42"), std::string("{}"), std::string("{\"op\":\"nope\"}"),
                                    std::string("{\"op\":\"click\"}"), std::string("{\"op\":\"click\",\"id\":\"1\"}"),
                                    std::string("{\"op\":\"select\",\"id\":3001}"),
                                    std::string("{\"op\":\"type\",\"id\":3013,\"text\":5}"), withNul}) {
        program->send(line);
        json answer = program->readJson();
        EXPECT_EQ(answer.value("ok", true), false) << line << " -> " << answer.dump();
        EXPECT_TRUE(answer.contains("error") && answer["error"].is_string()) << line;
    }
    json after = program->command({{"op", "state"}});
    EXPECT_EQ(after, before);
    program->closeInput();
    EXPECT_EQ(program->readJson()["modalResult"], 2);
    EXPECT_EQ(program->wait(), 0);
    EXPECT_EQ(readFile(page), kPage);
}

TEST_F(AutomateTest, OkAfterANewUrlWritesItAndTellsTheHost) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page);
    correct(*program, "http://127.0.0.1:9/two", "http://127.0.0.1:9/new?a=1&b=\"2\"");
    EXPECT_EQ(program->command({{"op", "click"}, {"id", 1}}), json({{"ok", true}}));
    json exit = program->readJson();
    EXPECT_EQ(exit["modalResult"], 1);
    std::vector<std::string> expected = kCollection;
    expected.push_back("notifyUpdate(0,268435460,0)");
    EXPECT_EQ(callStrings(exit["hostCalls"]), expected);
    EXPECT_EQ(exit["saved"], true);
    EXPECT_EQ(exit["path"], fs::canonical(page).string());
    EXPECT_EQ(program->wait(), 0);
    std::string corrected = kPage;
    const std::string from = "'http://127.0.0.1:9/two'";
    corrected.replace(corrected.find(from), from.size(), "'http://127.0.0.1:9/new?a=1&amp;b=\"2\"'");
    EXPECT_EQ(readFile(page), corrected);
    EXPECT_NE(errors().find("1 correction(s) written to"), std::string::npos) << errors();
}

TEST_F(AutomateTest, DeletingALinkElementIsReportedBeforeTheUpdate) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page);
    correct(*program, "http://127.0.0.1:9/site.css", "");
    EXPECT_EQ(program->command({{"op", "click"}, {"id", 1}}), json({{"ok", true}}));
    json exit = program->readJson();
    EXPECT_EQ(exit["modalResult"], 1);
    std::vector<std::string> expected = kCollection;
    expected.push_back("notifyLinkElementRemoved(1)");
    expected.push_back("notifyUpdate(0,268435460,0)");
    EXPECT_EQ(callStrings(exit["hostCalls"]), expected);
    EXPECT_EQ(program->wait(), 0);
    EXPECT_EQ(readFile(page).find("site.css"), std::string::npos);
}

TEST_F(AutomateTest, ADoubleClickMovesTheSourceCursorAndTellsTheHostWindow) {
    std::string page = writePage(kPage);
    auto program = startAutomated(page);
    json state = program->command({{"op", "state"}}).at("state");
    int row = rowOf(state, "http://127.0.0.1:9/one");
    ASSERT_GE(row, 0);
    EXPECT_EQ(program->command({{"op", "dblclickRow"}, {"row", row}}), json({{"ok", true}}));
    json host = program->command({{"op", "state"}}).at("state").at("host");
    EXPECT_EQ(host["messages"], json::parse(R"([{"msg":1548,"wParam":0,"lParam":0}])"));
    // The A of "one" starts on line 5, column 15.
    EXPECT_EQ(host["sourceCursor"], json::parse(R"({"line":5,"column":15})"));
    std::vector<std::string> expected = kCollection;
    expected.push_back("notifyUpdate(0,4,0)");
    EXPECT_EQ(callStrings(host["calls"]), expected);
    program->closeInput();
    EXPECT_EQ(program->readJson()["modalResult"], 2);
    EXPECT_EQ(program->wait(), 0);
    EXPECT_EQ(readFile(page), kPage);
}

// A stray NUL byte does not make a page binary, nor do the zero bytes of UTF-16 written without its mark:
// both open, and a correction changes the link's bytes alone.
TEST_F(AutomateTest, StrayNulsAndUtf16WithoutItsMarkOpenAndKeepTheirBytes) {
    const auto utf16le = [](const std::string& ascii) {
        std::string bytes;
        for (char c : ascii)
            bytes += std::string{c, '\0'};
        return bytes;
    };
    const auto corrected = [](std::string page) {
        const std::string from = "http://127.0.0.1:9/one";
        return page.replace(page.find(from), from.size(), "http://127.0.0.1:9/new");
    };
    std::string withNul = kPage;
    withNul.insert(withNul.find("Links"), 1, '\0');
    const std::pair<std::string, std::string> cases[] = {{withNul, corrected(withNul)},
                                                         {utf16le(kPage), utf16le(corrected(kPage))}};
    for (const auto& [bytes, expected] : cases) {
        const std::string page = writePage(bytes);
        auto program = startAutomated(page);
        correct(*program, "http://127.0.0.1:9/one", "http://127.0.0.1:9/new");
        EXPECT_EQ(program->command({{"op", "click"}, {"id", 1}}), json({{"ok", true}})) << errors();
        EXPECT_EQ(program->readJson()["saved"], true);
        EXPECT_EQ(program->wait(), 0);
        EXPECT_EQ(readFile(page), expected);
    }
}

}  // namespace
}  // namespace tarn::test
