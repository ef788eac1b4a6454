#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/WinControls.h"
#include "tests/headless/HeadlessTestSupport.h"

namespace headlesstest {
namespace {

using headless::HeadlessFrontEnd;
using headless::Outcome;
using nlohmann::json;

constexpr UINT kWorkerMessage = 0x8001;  // WM_APP + 1

class FrontEndTest : public HeadlessTest {};

TEST_F(FrontEndTest, StepsRunInOrderAndTheDialogClosesAfterTheLast) {
    std::vector<int> order;
    const INT_PTR result = Run({Do([&](HeadlessFrontEnd&) { order.push_back(1); }),
                                Do([&](HeadlessFrontEnd&) { order.push_back(2); })});
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FrontEndTest, WithoutStepsTheDialogCloses) { EXPECT_EQ(Run({}), IDCANCEL); }

TEST_F(FrontEndTest, AStepThatIsNotDoneRunsAgainAfterTheMessagesThatArrived) {
    int received = 0;
    int calls = 0;
    dialog_.onMessage = [&](UINT, WPARAM) { ++received; };
    Run({[&](HeadlessFrontEnd& ui) {
        if (calls++ == 0)
            PostMessageW(ui.Dialog(), kWorkerMessage, 0, 0);
        return received == 1;
    }});
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(received, 1);
}

TEST_F(FrontEndTest, WaitIdleWaitsForTheWorkerToFinish) {
    std::atomic<int> received{0};
    std::thread worker;
    dialog_.onMessage = [&](UINT, WPARAM last) {
        ++received;
        if (last != 0)
            EnableWindow(Item(kStop), FALSE);
    };
    Outcome outcome{"not run"};
    Run({Do([&](HeadlessFrontEnd& ui) {
             EnableWindow(Item(kStop), TRUE);
             HWND hDlg = ui.Dialog();
             worker = std::thread([hDlg] {
                 for (int i = 0; i < 5; ++i) {
                     std::this_thread::sleep_for(std::chrono::milliseconds(5));
                     PostMessageW(hDlg, kWorkerMessage, i == 4 ? 1 : 0, 0);
                 }
             });
         }),
         [&](HeadlessFrontEnd& ui) {
             const std::optional<Outcome> done = ui.WaitIdle(20000, kStop);
             if (done)
                 outcome = *done;
             return done.has_value();
         }});
    worker.join();
    EXPECT_TRUE(outcome.Ok()) << outcome.error;
    EXPECT_EQ(received.load(), 5);
}

TEST_F(FrontEndTest, WaitIdleTimesOutWhileBusy) {
    Outcome outcome;
    int calls = 0;
    Run({Do([&](HeadlessFrontEnd&) { EnableWindow(Item(kStop), TRUE); }),
         [&](HeadlessFrontEnd& ui) {
             ++calls;
             const std::optional<Outcome> done = ui.WaitIdle(30, kStop);
             if (done)
                 outcome = *done;
             return done.has_value();
         }});
    EXPECT_EQ(outcome.error, "timeout");
    EXPECT_GT(calls, 1);
}

TEST_F(FrontEndTest, ScreenShowsTheDialogAsPainted) {
    std::vector<std::string> before;
    std::vector<std::string> after;
    Run({Do([&](HeadlessFrontEnd& ui) {
        before = ui.Screen();
        ui.Type(kEdit, u"例え");
        ui.Tick(0, true);
        after = ui.Screen();
    })});
    ASSERT_EQ(before.size(), 16u);
    EXPECT_EQ(before[0], "┌─ Test ─────────────────────────────────┐");
    EXPECT_EQ(before[1], "│Name:   start                           │");
    EXPECT_EQ(before[8], "││[ ] http://h/0     OK                 █│");
    EXPECT_EQ(after[1], "│Name:   例え                            │");
    EXPECT_EQ(after[7], "││ URL              │State              ││");
    EXPECT_EQ(after[8], "││[x] http://h/0     OK                 █│");
    EXPECT_EQ(after[9], "││[ ] http://h/1     外部               ░│");
    EXPECT_EQ(after[13], "│<  OK  >  [ Cancel ]  [ Stop ]          │");
    EXPECT_EQ(after[15], "└────────────────────────────────────────┘");
}

TEST_F(FrontEndTest, StateDescribesTheDialog) {
    json state;
    frontEnd_.SetStateExtension([](json& s) { s["host"] = {{"calls", json::array()}}; });
    Run({Do([&](HeadlessFrontEnd& ui) {
        ui.Tick(1, true);
        ui.ClickRow(2);
        ui.Select(kCombo, 3);
        state = ui.State();
    })});
    EXPECT_EQ(state["caption"], "Test");
    EXPECT_EQ(state["size"], json::array({40, 14}));
    const json& controls = state["controls"];
    ASSERT_EQ(controls.size(), 8u);
    EXPECT_EQ(controls[0], json({{"id", kNameLabel},
                                 {"class", "static"},
                                 {"text", "&Name:"},
                                 {"enabled", true},
                                 {"checked", false},
                                 {"rect", {0, 0, 8, 1}}}));
    EXPECT_EQ(controls[1]["class"], "edit");
    EXPECT_EQ(controls[2]["class"], "combo");
    EXPECT_EQ(controls[2]["text"], "Item 3");
    EXPECT_EQ(controls[3]["class"], "checkbox");
    EXPECT_EQ(controls[4]["class"], "list");
    EXPECT_EQ(controls[5]["class"], "button");
    EXPECT_EQ(controls[7]["text"], "&Stop");
    EXPECT_EQ(controls[7]["enabled"], false);

    const json& list = state["list"];
    EXPECT_EQ(list["clientWidth"], 38);
    EXPECT_EQ(list["columns"], json::parse(R"([{"text":"URL","width":18},{"text":"State","width":18}])"));
    ASSERT_EQ(list["rows"].size(), static_cast<std::size_t>(kRows));
    EXPECT_EQ(list["rows"][1], json::parse(R"({"cells":["http://h/1","外部"],"ticked":true,"selected":false})"));
    EXPECT_EQ(list["rows"][2]["selected"], true);
    EXPECT_EQ(state["combo"]["selected"], 3);
    EXPECT_EQ(state["combo"]["items"].size(), static_cast<std::size_t>(kItems));
    EXPECT_EQ(state["screen"].size(), 16u);
    EXPECT_TRUE(state["host"]["calls"].is_array());
}

}  // namespace
}  // namespace headlesstest
