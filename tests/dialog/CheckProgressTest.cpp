#include "tests/dialog/DialogTestSupport.h"

#include "module/links/LinkCheckValues.h"
#include "module/res/resource.h"
#include "tests/http/LoopbackServer.h"

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dialogtest {
namespace {

using ::testing::ElementsAre;
using headless::HeadlessFrontEnd;

constexpr int kWaitMs = 30000;

// Check runs of the dialog against a real server on 127.0.0.1: /status/N answers N, /stall holds its
// request until the test lets it go.
class CheckProgress : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        // Runs begin with Start unless a test turns the automatic start on.
        SetManualStart(1);
        server.server().Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.status = std::stoi(request.matches[1]);
        });
        server.server().Get("/stall", [this](const httplib::Request&, httplib::Response&) {
            stalled = true;
            std::unique_lock lock(stallMutex_);
            stallChanged_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
        });
        server.start();
    }

    void TearDown() override {
        releaseStall();
        DialogTest::TearDown();
    }

    void releaseStall() {
        {
            const std::lock_guard lock(stallMutex_);
            released_ = true;
        }
        stallChanged_.notify_all();
    }

    // Done when `condition` holds; gives up (a failure) after kWaitMs.
    static Step Until(std::function<bool()> condition, std::string what) {
        std::optional<std::chrono::steady_clock::time_point> deadline;
        return [condition = std::move(condition), what = std::move(what), deadline](HeadlessFrontEnd&) mutable {
            const auto now = std::chrono::steady_clock::now();
            if (!deadline)
                deadline = now + std::chrono::milliseconds(kWaitMs);
            if (condition())
                return true;
            if (now < *deadline)
                return false;
            ADD_FAILURE() << "never: " << what;
            return true;
        };
    }

    static std::u16string statusLine(DialogRun& run) {
        CString text;
        run.dialog().GetDlgItem(IDC_CHECK_STATUS)->GetWindowText(text);
        return text.ToStdString();
    }

    static std::vector<std::u16string> column(DialogRun& run, int index) {
        std::vector<std::u16string> texts;
        for (int row = 0; row < run.dialog().listCtrl.GetItemCount(); ++row)
            texts.push_back(run.cell(row, index));
        return texts;
    }

    LoopbackServer server;
    std::atomic<bool> stalled{false};
    const std::string refused = "http://127.0.0.1:9/nothing";

private:
    std::mutex stallMutex_;
    std::condition_variable stallChanged_;
    bool released_ = false;
};

TEST_F(CheckProgress, ARunClassifiesEveryAnswerUnticksTheGoodLinksAndEndsIdle) {
    DialogRun run(AnchorPage({server.url("/status/200"), server.url("/status/301"), server.url("/status/404"),
                              server.url("/status/307"), server.url("/status/505"), server.url("/status/506"),
                              refused}));
    std::vector<std::u16string> results;
    std::vector<std::u16string> codes;
    std::vector<bool> ticks;
    std::vector<int> states;
    std::u16string status;
    std::vector<bool> enabled;
    UINT selected = 99;
    run.Run({
        Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.Click(IDC_START).Ok()); }),
        AfterTheRun(kWaitMs),
        Do([&](HeadlessFrontEnd&) {
            results = column(run, 1);
            codes = column(run, 2);
            ticks = run.rowTicks();
            for (int i = 0; i < run.dialog().linkList->getCount(); ++i)
                states.push_back(run.item(i)->checkState);
            status = statusLine(run);
            selected = run.dialog().listCtrl.GetSelectedCount();
            for (int id : {IDC_START, IDC_STOP, IDOK, IDCANCEL, IDC_FILTER_COMBO, IDC_SELECT_ALL})
                enabled.push_back(run.enabled(id));
        }),
    });
    EXPECT_THAT(results, ElementsAre(u"OK", u"OK", u"リンクエラー", u"不明", u"リンクエラー", u"不明", u"リンクエラー"));
    EXPECT_THAT(codes, ElementsAre(u"200", u"301", u"404", u"307", u"505", u"506", u"接続エラー"));
    EXPECT_THAT(ticks, ElementsAre(false, false, true, true, true, true, true));
    EXPECT_THAT(states, ::testing::Each(CHECK_DONE));
    EXPECT_EQ(status, u"リンク チェックは終了しました。");
    // Each requested row was selected and deselected again with its result.
    EXPECT_EQ(selected, 0u);
    // Idle with ticked rows left: Start again, everything but Stop.
    EXPECT_THAT(enabled, ElementsAre(true, false, true, true, true, true));
}

TEST_F(CheckProgress, StopDuringARequestMarksItStoppedAndTheNextStartChecksWhatWasLeft) {
    DialogRun run(AnchorPage({server.url("/stall"), server.url("/status/200"), refused}));
    std::u16string progress;
    std::u16string checking;
    UINT checkingSelected = 0;
    std::vector<std::u16string> stoppedResults;
    std::vector<std::u16string> stoppedCodes;
    std::vector<bool> stoppedTicks;
    std::u16string stoppedStatus;
    std::vector<std::u16string> results;
    std::vector<std::u16string> codes;
    run.Run({
        Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.Click(IDC_START).Ok()); }),
        Until([&] { return stalled && run.cell(0, 1) == u"チェック中・・・" && !statusLine(run).empty(); },
              "the first request under way"),
        Do([&](HeadlessFrontEnd& frontEnd) {
            progress = statusLine(run);
            checking = run.cell(0, 1);
            checkingSelected = run.dialog().listCtrl.GetItemState(0, LVIS_SELECTED);
            EXPECT_TRUE(frontEnd.Click(IDC_STOP).Ok());
        }),
        AfterTheRun(kWaitMs),
        Do([&](HeadlessFrontEnd& frontEnd) {
            stoppedResults = column(run, 1);
            stoppedCodes = column(run, 2);
            stoppedTicks = run.rowTicks();
            stoppedStatus = statusLine(run);
            EXPECT_EQ(run.item(1)->checkState, CHECK_PENDING);
            // Left queued by the stopped run: tested by the next one although its row is no longer ticked.
            EXPECT_FALSE(frontEnd.Tick(1, false).ticked);
            releaseStall();
            EXPECT_TRUE(frontEnd.Click(IDC_START).Ok());
        }),
        AfterTheRun(kWaitMs),
        Do([&](HeadlessFrontEnd&) {
            results = column(run, 1);
            codes = column(run, 2);
        }),
    });
    EXPECT_NE(progress.find(u"127.0.0.1"), std::u16string::npos);  // the checker's progress names the host
    EXPECT_EQ(checking, u"チェック中・・・");
    EXPECT_EQ(checkingSelected, static_cast<UINT>(LVIS_SELECTED));
    EXPECT_THAT(stoppedResults, ElementsAre(u"チェック停止", u"", u""));
    EXPECT_THAT(stoppedCodes, ElementsAre(u"", u"", u""));
    EXPECT_THAT(stoppedTicks, ElementsAre(true, true, true));
    EXPECT_EQ(stoppedStatus, u"リンク チェックは終了しました。");
    // Start clears the stop: a link without an answer is a link error again.
    EXPECT_THAT(results, ElementsAre(u"OK", u"OK", u"リンクエラー"));
    EXPECT_THAT(codes, ElementsAre(u"200", u"200", u"接続エラー"));
}

TEST_F(CheckProgress, AutomaticStartOnAPageWithoutLinksFinishesAtOnce) {
    SetManualStart(0);
    DialogRun run(AnchorPage({}));
    std::u16string status;
    std::vector<bool> enabled;
    run.Run({
        AfterTheRun(kWaitMs),
        Do([&](HeadlessFrontEnd&) {
            status = statusLine(run);
            for (int id : {IDC_START, IDC_STOP, IDOK, IDCANCEL, IDC_FILTER_COMBO})
                enabled.push_back(run.enabled(id));
        }),
    });
    EXPECT_EQ(status, u"リンク チェックは終了しました。");
    // Nothing to tick, so nothing to start.
    EXPECT_THAT(enabled, ElementsAre(false, false, true, true, true));
    EXPECT_EQ(server.requests(), 0);
}

}  // namespace
}  // namespace dialogtest
