#include "tests/dialog/DialogTestSupport.h"

#include "contracts/host/CQuorResizableDlg.h"
#include "contracts/host/CRegistryBase.h"
#include "module/links/LinkCheckValues.h"
#include "module/res/resource.h"
#include "platform/win/WinUser.h"

#include <gmock/gmock.h>

#include <map>

namespace dialogtest {
namespace {

using ::testing::ElementsAre;
using headless::HeadlessFrontEnd;

const std::vector<std::string> kUrls = {"http://127.0.0.1:9/a", "https://127.0.0.1:9/b", "http://127.0.0.1:9/c",
                                        "http://127.0.0.1:9/d"};

class LinkCheckDialog : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        // No run starts by itself: each test drives the dialog between runs unless it says otherwise.
        SetManualStart(1);
    }

    DialogRun run{AnchorPage(kUrls)};
};

RECT RectOf(CTarnLinkCheckDlg& dialog, int id) {
    RECT rect{};
    dialog.GetDlgItem(id)->GetWindowRect(&rect);
    return rect;
}

TEST_F(LinkCheckDialog, OpensWithEveryLinkTickedInCollectionOrderAndColumnsSharedByWidth) {
    nlohmann::json state;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) { state = frontEnd.State(); })});

    EXPECT_EQ(state["caption"], "外部リンク チェック");
    EXPECT_EQ(state["size"], nlohmann::json({156, 40}));
    const nlohmann::json& list = state["list"];
    // The list is 152 cells wide with its frame; the columns share the 150 inside it, each truncated.
    EXPECT_EQ(list["clientWidth"], 150);
    std::vector<std::pair<std::string, int>> columns;
    for (const auto& column : list["columns"])
        columns.emplace_back(column["text"], column["width"]);
    EXPECT_THAT(columns, ElementsAre(std::pair<std::string, int>{"URL", 60}, std::pair<std::string, int>{"チェック結果", 18},
                                     std::pair<std::string, int>{"戻りコード", 18}, std::pair<std::string, int>{"文字", 28},
                                     std::pair<std::string, int>{"タグ", 12}, std::pair<std::string, int>{"属性", 13}));
    ASSERT_EQ(list["rows"].size(), kUrls.size());
    for (std::size_t row = 0; row < kUrls.size(); ++row) {
        const nlohmann::json& r = list["rows"][row];
        EXPECT_EQ(r["cells"], nlohmann::json({kUrls[row], "", "", "link " + std::to_string(row), "A", "HREF"}));
        EXPECT_TRUE(r["ticked"]);
    }
    EXPECT_EQ(state["combo"]["items"], nlohmann::json({"すべてのリンク", "リンクエラーあり"}));
    EXPECT_EQ(state["combo"]["selected"], 0);
}

TEST_F(LinkCheckDialog, EnablesControlsForIdleSelectionDeletionAndRunningStates) {
    std::map<std::string, std::vector<bool>> seen;
    const std::vector<int> ids = {IDC_START,  IDC_STOP, IDC_SELECT_ALL, IDC_CLEAR_ALL, IDC_GET_FROM_BROWSER,
                                  IDC_COPY_CURRENT_URL, IDC_APPLY, IDC_UNDO, IDC_NEW_URL, IDC_CHANGE_URL_RADIO,
                                  IDC_DELETE_LINK_RADIO, IDOK, IDCANCEL, IDC_FILTER_COMBO, IDC_LINK_LIST,
                                  IDC_MANUAL_START, ID_HELP};
    auto record = [&](const std::string& name) {
        return Do([&, name](HeadlessFrontEnd&) {
            for (int id : ids)
                seen[name].push_back(run.enabled(id));
        });
    };
    run.Run({
        record("idle"),
        Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.ClickRow(1).Ok()); }),
        record("selected"),
        Do([&](HeadlessFrontEnd& frontEnd) {
            run.item(1)->fixKind = FIX_DELETE_LINK;
            EXPECT_TRUE(frontEnd.ClickRow(0).Ok());
            EXPECT_TRUE(frontEnd.ClickRow(1).Ok());
        }),
        record("deletion"),
        Do([&](HeadlessFrontEnd&) { run.dialog().setChecking(TRUE); }),
        record("running"),
        Do([&](HeadlessFrontEnd& frontEnd) {
            run.dialog().setChecking(FALSE);
            EXPECT_TRUE(frontEnd.Click(IDC_CLEAR_ALL).Ok());
        }),
        record("cleared"),
    });
    //                                Start  Stop   All    Clear  Get    Copy   Apply  Undo   Edit   Rnew   Rdel   OK     Cancel Combo  List   Manual Help
    EXPECT_EQ(seen["idle"], (std::vector<bool>{true, false, true, true, false, false, false, false, false, false, false, true, true, true, true, true, true}));
    EXPECT_EQ(seen["selected"], (std::vector<bool>{true, false, true, true, true, true, true, false, true, true, true, true, true, true, true, true, true}));
    EXPECT_EQ(seen["deletion"], (std::vector<bool>{true, false, true, true, false, false, false, true, false, false, false, true, true, true, true, true, true}));
    EXPECT_EQ(seen["running"], (std::vector<bool>{false, true, false, false, false, false, false, false, false, false, false, false, false, false, true, true, true}));
    EXPECT_EQ(seen["cleared"], (std::vector<bool>{false, false, true, true, false, false, false, true, false, false, false, true, true, true, true, true, true}));
}

TEST_F(LinkCheckDialog, RefusesTicksOnlyForRowsTheNextRunCannotCheck) {
    std::vector<bool> ticks;
    run.Run({
        Do([&](HeadlessFrontEnd& frontEnd) {
            run.item(0)->fixKind = FIX_DELETE_LINK;
            run.item(1)->fixKind = FIX_CHANGE_URL;
            run.item(1)->newUrl = u"HTTP://127.0.0.1:9/upper";
            run.item(2)->fixKind = FIX_CHANGE_URL;
            run.item(2)->newUrl = u"HttpS://127.0.0.1:9/secure";
            run.item(3)->fixKind = FIX_CHANGE_URL;
            run.item(3)->newUrl = u"ftp://127.0.0.1/file";
            // Unticking is never refused.
            for (int row = 0; row < 4; ++row)
                EXPECT_FALSE(frontEnd.Tick(row, false).ticked);
            EXPECT_FALSE(frontEnd.Tick(0, true).ticked);
            EXPECT_TRUE(frontEnd.Tick(1, true).ticked);
            EXPECT_TRUE(frontEnd.Tick(2, true).ticked);
            EXPECT_FALSE(frontEnd.Tick(3, true).ticked);
        }),
        Do([&](HeadlessFrontEnd&) {
            // During a run the rule does not apply.
            run.dialog().setChecking(TRUE);
            run.dialog().listCtrl.SetCheck(0, TRUE);
            run.dialog().setChecking(FALSE);
            ticks = run.rowTicks();
        }),
    });
    EXPECT_THAT(ticks, ElementsAre(true, true, true, false));
}

TEST_F(LinkCheckDialog, FilterShowsErrorsAndRestoresEveryRowWithTicksAndTexts) {
    std::vector<std::u16string> errorRows;
    std::vector<std::u16string> allRows;
    std::vector<bool> allTicks;
    std::u16string currentUrl;
    std::u16string newUrl;
    int radio = -1;
    run.Run({
        Do([&](HeadlessFrontEnd& frontEnd) {
            // As a finished run leaves them: rows 1 and 3 broken, the others fine.
            CTarnAccListCtrl& list = run.dialog().listCtrl;
            list.SetItemText(0, 1, u"OK");
            list.SetItemText(1, 1, u"リンクエラー");
            list.SetItemText(1, 2, u"404");
            list.SetItemText(2, 1, u"不明");
            list.SetItemText(3, 1, u"リンクエラー");
            list.SetItemText(3, 2, u"接続エラー");
            EXPECT_TRUE(frontEnd.ClickRow(2).Ok());
            EXPECT_TRUE(frontEnd.Type(IDC_NEW_URL, u"http://127.0.0.1:9/typed").Ok());
            run.dialog().GetDlgItem(IDC_CURRENT_URL)->SetWindowText(u"http://127.0.0.1:9/c");
            EXPECT_TRUE(frontEnd.Click(IDC_DELETE_LINK_RADIO).Ok());
            EXPECT_TRUE(frontEnd.Select(IDC_FILTER_COMBO, 1).Ok());
        }),
        Do([&](HeadlessFrontEnd& frontEnd) {
            errorRows = run.rowUrls();
            EXPECT_EQ(run.cell(0, 2), u"404");
            EXPECT_EQ(run.cell(1, 2), u"接続エラー");
            CString text;
            run.dialog().GetDlgItem(IDC_CURRENT_URL)->GetWindowText(text);
            currentUrl = text.ToStdString();
            run.dialog().GetDlgItem(IDC_NEW_URL)->GetWindowText(text);
            newUrl = text.ToStdString();
            radio = run.dialog().changeUrlRadio.GetCheck() * 2 + run.dialog().deleteLinkRadio.GetCheck();
            EXPECT_FALSE(frontEnd.Tick(1, false).ticked);
            EXPECT_TRUE(frontEnd.Select(IDC_FILTER_COMBO, 0).Ok());
        }),
        Do([&](HeadlessFrontEnd&) {
            allRows = run.rowUrls();
            allTicks = run.rowTicks();
            EXPECT_EQ(run.cell(1, 1), u"リンクエラー");
            EXPECT_EQ(run.cell(3, 2), u"接続エラー");
        }),
    });
    EXPECT_THAT(errorRows, ElementsAre(u"https://127.0.0.1:9/b", u"http://127.0.0.1:9/d"));
    EXPECT_EQ(currentUrl, u"");
    EXPECT_EQ(newUrl, u"");
    EXPECT_EQ(radio, 2);  // the new-URL radio button checked, the deletion one not
    EXPECT_THAT(allRows, ElementsAre(u"http://127.0.0.1:9/a", u"https://127.0.0.1:9/b", u"http://127.0.0.1:9/c",
                                     u"http://127.0.0.1:9/d"));
    EXPECT_THAT(allTicks, ElementsAre(true, true, true, false));
}

TEST_F(LinkCheckDialog, SortsByCodeUnitsTogglesDirectionAndHoldsStillDuringARun) {
    std::vector<std::vector<std::u16string>> orders;
    auto codes = [&] {
        std::vector<std::u16string> column;
        for (int row = 0; row < run.dialog().listCtrl.GetItemCount(); ++row)
            column.push_back(run.cell(row, 2));
        orders.push_back(column);
    };
    run.Run({
        Do([&](HeadlessFrontEnd& frontEnd) {
            CTarnAccListCtrl& list = run.dialog().listCtrl;
            list.SetItemText(0, 2, u"404");
            list.SetItemText(1, 2, u"接続エラー");
            list.SetItemText(2, 2, u"");
            list.SetItemText(3, 2, u"200");
            EXPECT_TRUE(frontEnd.Header(2).Ok());
            codes();
            EXPECT_TRUE(frontEnd.Header(2).Ok());
            codes();
            run.dialog().setChecking(TRUE);
            EXPECT_TRUE(frontEnd.Header(2).Ok());  // recorded as ascending, nothing moves
            codes();
            run.dialog().setChecking(FALSE);
            EXPECT_TRUE(frontEnd.Header(2).Ok());
            codes();
            EXPECT_TRUE(frontEnd.Header(0).Ok());
            codes();
        }),
    });
    const std::vector<std::u16string> ascending = {u"", u"200", u"404", u"接続エラー"};
    const std::vector<std::u16string> descending = {u"接続エラー", u"404", u"200", u""};
    ASSERT_EQ(orders.size(), 5u);
    EXPECT_EQ(orders[0], ascending);
    EXPECT_EQ(orders[1], descending);
    EXPECT_EQ(orders[2], descending);
    EXPECT_EQ(orders[3], descending);  // the click during the run recorded ascending; this one reverses it
    // By URL: "http:" sorts before "https:" (':' before 's'), so a, c, d, then b.
    EXPECT_EQ(orders[4], (std::vector<std::u16string>{u"404", u"", u"200", u"接続エラー"}));
}

TEST_F(LinkCheckDialog, SelectAllAfterASortTicksEveryEligibleRowAndLeavesTheOthers) {
    std::vector<bool> ticks;
    std::vector<std::u16string> urls;
    run.Run({
        Do([&](HeadlessFrontEnd& frontEnd) {
            run.item(2)->fixKind = FIX_DELETE_LINK;
            EXPECT_TRUE(frontEnd.Click(IDC_CLEAR_ALL).Ok());
            EXPECT_FALSE(run.enabled(IDC_START));
            EXPECT_TRUE(frontEnd.Header(0).Ok());
            EXPECT_TRUE(frontEnd.Header(0).Ok());
            EXPECT_TRUE(frontEnd.Click(IDC_SELECT_ALL).Ok());
            ticks = run.rowTicks();
            urls = run.rowUrls();
            EXPECT_TRUE(run.enabled(IDC_START));
        }),
    });
    EXPECT_THAT(urls, ElementsAre(u"https://127.0.0.1:9/b", u"http://127.0.0.1:9/d", u"http://127.0.0.1:9/c",
                                  u"http://127.0.0.1:9/a"));
    // Row 2 holds the pending deletion and stays unticked.
    EXPECT_THAT(ticks, ElementsAre(true, true, false, true));
}

TEST_F(LinkCheckDialog, ManualStartIsReadAtOpenWrittenOnOkAndNotOnCancel) {
    SetManualStart(0);
    bool boxTicked = true;
    EXPECT_EQ(run.Run({AfterTheRun(), Do([&](HeadlessFrontEnd& frontEnd) {
                  boxTicked = run.dialog().manualStartCheck.GetCheck() == BST_CHECKED;
                  EXPECT_TRUE(frontEnd.Click(IDC_MANUAL_START).Ok());
                  EXPECT_TRUE(frontEnd.Click(IDCANCEL).Ok());
              })}),
              IDCANCEL);
    EXPECT_FALSE(boxTicked);
    EXPECT_EQ(ManualStartValue(), 0);

    // OK without a correction: the setting is written and the dialog still ends as Cancel.
    EXPECT_EQ(run.Run({AfterTheRun(), Do([&](HeadlessFrontEnd& frontEnd) {
                  EXPECT_TRUE(frontEnd.Click(IDC_MANUAL_START).Ok());
                  EXPECT_TRUE(frontEnd.Click(IDOK).Ok());
              })}),
              IDCANCEL);
    EXPECT_EQ(ManualStartValue(), 1);
    EXPECT_TRUE(run.host().calls().empty() || run.host().calls().back().op != "notifyUpdate");

    SetManualStart(7);
    bool startEnabled = false;
    run.Run({Do([&](HeadlessFrontEnd&) {
        boxTicked = run.dialog().manualStartCheck.GetCheck() == BST_CHECKED;
        startEnabled = run.enabled(IDC_START);
    })});
    EXPECT_TRUE(boxTicked);
    EXPECT_TRUE(startEnabled);
    EXPECT_FALSE(run.document().isEdited());
}

TEST_F(LinkCheckDialog, OkWritesRecordedCorrectionsAndEndsAsOk) {
    bool removed = true;
    EXPECT_EQ(run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
                  run.item(0)->fixKind = FIX_CHANGE_URL;
                  run.item(0)->newUrl = u"https://127.0.0.1:9/new";
                  EXPECT_TRUE(frontEnd.Click(IDOK).Ok());
                  removed = run.dialog().linkElementRemoved;
              })}),
              IDOK);
    EXPECT_FALSE(removed);
    EXPECT_NE(run.document().editedText().find("https://127.0.0.1:9/new"), std::string::npos);
}

TEST_F(LinkCheckDialog, WideningAndHeighteningMoveAndStretchTheControls) {
    std::map<int, RECT> before;
    std::map<int, RECT> wide;
    std::map<int, RECT> tall;
    const std::vector<int> ids = {IDC_LINK_LIST, IDC_CHECK_GROUP, IDC_FIX_GROUP, IDC_CHECK_STATUS,
                                  IDC_CURRENT_URL, IDC_CURRENT_URL_LABEL, IDC_NEW_URL, IDC_FILTER_COMBO,
                                  IDC_FILTER_LABEL, IDC_START, IDOK, ID_HELP, IDC_CHANGE_URL_RADIO,
                                  IDC_MANUAL_START, IDC_LIST_LABEL, IDC_STATUS_LABEL, IDC_NEW_URL_LABEL};
    auto snapshot = [&](std::map<int, RECT>& into) {
        for (int id : ids)
            into[id] = RectOf(run.dialog(), id);
    };
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        snapshot(before);
        EXPECT_TRUE(frontEnd.Resize(186, 40).Ok());
        snapshot(wide);
        EXPECT_TRUE(frontEnd.Resize(186, 50).Ok());
        snapshot(tall);
    })});
    auto width = [](const RECT& r) { return r.right - r.left; };
    auto height = [](const RECT& r) { return r.bottom - r.top; };
    for (int id : {IDC_LINK_LIST, IDC_CHECK_GROUP, IDC_FIX_GROUP, IDC_CHECK_STATUS, IDC_CURRENT_URL,
                   IDC_CURRENT_URL_LABEL, IDC_NEW_URL}) {
        EXPECT_EQ(width(wide[id]), width(before[id]) + 30) << id;
        EXPECT_EQ(wide[id].left, before[id].left) << id;
    }
    for (int id : {IDC_FILTER_COMBO, IDC_FILTER_LABEL, IDC_START, IDOK, ID_HELP}) {
        EXPECT_EQ(wide[id].left, before[id].left + 30) << id;
        EXPECT_EQ(width(wide[id]), width(before[id])) << id;
    }
    for (int id : {IDC_CHANGE_URL_RADIO, IDC_MANUAL_START, IDC_LIST_LABEL, IDC_STATUS_LABEL, IDC_NEW_URL_LABEL})
        EXPECT_EQ(wide[id].left, before[id].left) << id;

    EXPECT_EQ(height(tall[IDC_LINK_LIST]), height(wide[IDC_LINK_LIST]) + 10);
    for (int id : {IDC_FILTER_COMBO, IDC_FILTER_LABEL, IDC_LIST_LABEL, IDC_LINK_LIST})
        EXPECT_EQ(tall[id].top, wide[id].top) << id;
    for (int id : {IDC_CHECK_GROUP, IDC_FIX_GROUP, IDC_CHECK_STATUS, IDC_START, IDOK, IDC_CHANGE_URL_RADIO,
                   IDC_MANUAL_START, IDC_STATUS_LABEL, IDC_NEW_URL_LABEL, IDC_NEW_URL}) {
        EXPECT_EQ(tall[id].top, wide[id].top + 10) << id;
        EXPECT_EQ(height(tall[id]), height(wide[id])) << id;
    }
}

TEST_F(LinkCheckDialog, RemembersTheSizeTheUserGaveItNotOneItWasFittedTo) {
    run.Run({Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.Resize(170, 45).Ok()); })});
    CRegistryBase registry(u"Software\\Tarn\\Tarnpage\\dlg\\LinkCheckDlg", HKEY_CURRENT_USER, 0, 1, 0);
    EXPECT_EQ(registry.GetValueDWORD(u"Width", 0, 0), 170u);
    EXPECT_EQ(registry.GetValueDWORD(u"Height", 0, 0), 45u);

    // Maximized to a screen (as a terminal fits it), or smaller than its template: neither is kept.
    nlohmann::json size;
    nlohmann::json fitted;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        size = frontEnd.State()["size"];
        MaximizeWindow(frontEnd.Dialog(), 0, 0, 200, 60);
        fitted = frontEnd.State()["size"];
        EXPECT_TRUE(frontEnd.Resize(100, 26).Ok());
    })});
    EXPECT_EQ(size, nlohmann::json({170, 45}));
    EXPECT_EQ(fitted, nlohmann::json({198, 58}));
    EXPECT_EQ(registry.GetValueDWORD(u"Width", 0, 0), 170u);
    EXPECT_EQ(registry.GetValueDWORD(u"Height", 0, 0), 45u);
}

TEST_F(LinkCheckDialog, AnAbsurdSizeIsBoundedAndAStoredOneIsNotRestored) {
    nlohmann::json opened;
    nlohmann::json size;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        opened = frontEnd.State()["size"];
        EXPECT_TRUE(frontEnd.Resize(10000, 10000).Ok());
        size = frontEnd.State()["size"];
    })});
    EXPECT_EQ(size, nlohmann::json({CQuorResizableDlg::kMaxWidth, CQuorResizableDlg::kMaxHeight}));

    CRegistryBase registry(u"Software\\Tarn\\Tarnpage\\dlg\\LinkCheckDlg", HKEY_CURRENT_USER, 1, 1, 0);
    registry.SetValueDWORD(u"Width", 10000);
    registry.SetValueDWORD(u"Height", 10000);
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) { size = frontEnd.State()["size"]; })});
    EXPECT_EQ(size, opened);
}

}  // namespace
}  // namespace dialogtest
