#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paint/ControlReading.h"
#include "platform/win/WinControls.h"
#include "tests/headless/HeadlessTestSupport.h"

namespace headlesstest {
namespace {

using headless::HeadlessFrontEnd;
using nlohmann::json;

class CommandTest : public HeadlessTest {
protected:
    // Runs the commands one after the other, as the automation does, and keeps the answers.
    std::vector<json> RunCommands(const std::vector<json>& commands) {
        std::vector<json> answers;
        std::vector<HeadlessFrontEnd::Step> steps;
        for (const json& command : commands)
            steps.push_back(HeadlessFrontEnd::CommandStep(command, [&](const json& a) { answers.push_back(a); }));
        Run(std::move(steps));
        return answers;
    }
};

const json kOk = {{"ok", true}};

TEST_F(CommandTest, EachOpActsAsTheUser) {
    frontEnd_.SetBusyControl(kStop);
    const std::vector<json> answers = RunCommands({
        {{"op", "click"}, {"id", kCheck}},
        {{"op", "select"}, {"id", kCombo}, {"index", 2}},
        {{"op", "type"}, {"id", kEdit}, {"text", "http://例え.jp/"}},
        {{"op", "tick"}, {"row", 4}, {"value", true}},
        {{"op", "clickRow"}, {"row", 6}},
        {{"op", "dblclickRow"}, {"row", 6}},
        {{"op", "key"}, {"key", "Down"}},
        {{"op", "header"}, {"column", 0}},
        {{"op", "resize"}, {"width", 50}, {"height", 16}},
        {{"op", "wait"}, {"for", "idle"}, {"timeoutMs", 1000}},
        {{"op", "state"}},
    });
    ASSERT_EQ(answers.size(), 11u);
    for (std::size_t i : {0, 1, 2, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(answers[i], kOk) << i;
    EXPECT_EQ(answers[3], json({{"ok", true}, {"ticked", true}}));
    const json& state = answers[10]["state"];
    EXPECT_EQ(answers[10]["ok"], true);
    EXPECT_EQ(state["controls"][3]["checked"], true);
    EXPECT_EQ(state["combo"]["selected"], 2);
    EXPECT_EQ(state["controls"][1]["text"], "http://例え.jp/");
    EXPECT_EQ(state["list"]["rows"][4]["ticked"], true);
    EXPECT_EQ(state["list"]["rows"][7]["selected"], true);
    EXPECT_EQ(state["size"], json::array({50, 16}));
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, LVN_COLUMNCLICK).size(), 1u);
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, NM_DBLCLK).size(), 1u);
}

TEST_F(CommandTest, RefusalsAreAnswered) {
    const std::vector<json> answers = RunCommands({
        {{"op", "click"}, {"id", kStop}},
        {{"op", "click"}, {"id", 4242}},
        {{"op", "tick"}, {"row", 99}, {"value", true}},
    });
    EXPECT_EQ(answers, (std::vector<json>{{{"ok", false}, {"error", "disabled"}},
                                          {{"ok", false}, {"error", "no such control"}},
                                          {{"ok", false}, {"error", "no such row"}}}));
}

TEST_F(CommandTest, MalformedCommandsChangeNothing) {
    const std::vector<json> malformed = {
        json::array({1, 2}),
        {{"id", kCheck}},
        {{"op", 7}},
        {{"op", "jump"}},
        {{"op", "click"}},
        {{"op", "click"}, {"id", "103"}},
        {{"op", "click"}, {"id", 1.5}},
        {{"op", "click"}, {"id", 1LL << 40}},
        {{"op", "select"}, {"id", kCombo}},
        {{"op", "type"}, {"id", kEdit}, {"text", 5}},
        {{"op", "tick"}, {"row", 1}, {"value", "yes"}},
        {{"op", "tick"}, {"value", true}},
        {{"op", "key"}, {"key", "Tab"}},
        {{"op", "key"}, {"key", 40}},
        {{"op", "header"}},
        {{"op", "resize"}, {"width", 50}},
        {{"op", "wait"}, {"for", "done"}, {"timeoutMs", 10}},
        {{"op", "wait"}, {"timeoutMs", -1}},
    };
    json before;
    json after;
    std::vector<Heard> heard{{0, 0, 0, 0}};
    std::vector<json> answers;
    std::vector<HeadlessFrontEnd::Step> steps;
    steps.push_back(Do([&](HeadlessFrontEnd& ui) { before = ui.State(); }));
    for (const json& command : malformed)
        steps.push_back(HeadlessFrontEnd::CommandStep(command, [&](const json& a) { answers.push_back(a); }));
    steps.push_back(Do([&](HeadlessFrontEnd& ui) {
        after = ui.State();
        heard = dialog_.heard;
    }));
    Run(std::move(steps));
    ASSERT_EQ(answers.size(), malformed.size());
    for (std::size_t i = 0; i < answers.size(); ++i) {
        EXPECT_EQ(answers[i]["ok"], false) << malformed[i];
        EXPECT_EQ(answers[i]["error"].get<std::string>().rfind("malformed command", 0), 0u) << answers[i];
    }
    EXPECT_EQ(before, after);
    EXPECT_TRUE(heard.empty());
}

TEST_F(CommandTest, WaitIsPendingWhileBusyAndThenAnswers) {
    frontEnd_.SetBusyControl(kStop);
    int pending = 0;
    json answer;
    const json wait = {{"op", "wait"}, {"for", "idle"}, {"timeoutMs", 30}};
    Run({Do([&](HeadlessFrontEnd&) { EnableWindow(Item(kStop), TRUE); }), [&](HeadlessFrontEnd& ui) {
             answer = ui.Command(wait);
             pending += answer.is_null() ? 1 : 0;
             return !answer.is_null();
         }});
    EXPECT_GT(pending, 0);
    EXPECT_EQ(answer, json({{"ok", false}, {"error", "timeout"}}));
}

TEST_F(CommandTest, CloseEndsTheDialog) {
    EXPECT_EQ(RunCommands({{{"op", "close"}}, {{"op", "state"}}}).size(), 1u);
}

}  // namespace
}  // namespace headlesstest
