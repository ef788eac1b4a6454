#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paint/ControlReading.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"
#include "tests/headless/HeadlessTestSupport.h"

namespace headlesstest {
namespace {

using headless::HeadlessFrontEnd;
using headless::Outcome;

class UserActionsTest : public HeadlessTest {
protected:
    bool Selected(int row) {
        return (SendMessageW(Item(kList), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }
    bool Ticked(int row) { return paint::ListRowTicked(Item(kList), row); }
};

TEST_F(UserActionsTest, ClickPressesTheButtonAndOkEndsTheDialog) {
    Outcome outcome;
    EXPECT_EQ(Run({Do([&](HeadlessFrontEnd& ui) { outcome = ui.Click(IDOK); })}), IDOK);
    EXPECT_TRUE(outcome.Ok());
    EXPECT_EQ(dialog_.Of(WM_COMMAND, BN_CLICKED), (std::vector<Heard>{{WM_COMMAND, IDOK, BN_CLICKED, -1}}));
}

TEST_F(UserActionsTest, ClickTogglesACheckBox) {
    LRESULT check = -1;
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.Click(kCheck).Ok());
        check = SendMessageW(Item(kCheck), BM_GETCHECK, 0, 0);
    })});
    EXPECT_EQ(check, BST_CHECKED);
    EXPECT_EQ(dialog_.Of(WM_COMMAND, BN_CLICKED).front(), (Heard{WM_COMMAND, kCheck, BN_CLICKED, -1}));
}

TEST_F(UserActionsTest, ClickRefusesWhatAUserCannotClick) {
    std::vector<Heard> heard{{0, 0, 0, 0}};
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_EQ(ui.Click(kStop).error, "disabled");
        EXPECT_EQ(ui.Click(999).error, "no such control");
        EXPECT_EQ(ui.Click(kEdit).error, "not a button");
        ShowWindow(Item(kCheck), SW_HIDE);
        EXPECT_EQ(ui.Click(kCheck).error, "hidden");
        heard = dialog_.heard;
    })});
    EXPECT_TRUE(heard.empty());
}

TEST_F(UserActionsTest, SelectDropsTheComboAndPicksAnItemOutOfView) {
    std::u16string text;
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.Select(kCombo, 8).Ok());
        text = paint::WindowText(Item(kCombo));
        EXPECT_EQ(SendMessageW(Item(kCombo), CB_GETCURSEL, 0, 0), 8);
        EXPECT_FALSE(SendMessageW(Item(kCombo), CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(ui.Select(kCombo, kItems).error, "no such item");
        EXPECT_EQ(ui.Select(kCheck, 0).error, "not a combo box");
    })});
    EXPECT_EQ(text, u"Item 8");
    // One user's choice, one notification.
    EXPECT_EQ(dialog_.Of(WM_COMMAND, CBN_SELCHANGE).size(), 1u);
}

TEST_F(UserActionsTest, TypeReplacesTheEditText) {
    std::u16string typed;
    std::u16string cleared;
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.Type(kEdit, u"http://例え.jp/\U0001F600").Ok());
        typed = paint::WindowText(Item(kEdit));
        EXPECT_TRUE(ui.Type(kEdit, u"").Ok());
        cleared = paint::WindowText(Item(kEdit));
        EXPECT_EQ(ui.Type(kList, u"x").error, "not an edit box");
    })});
    EXPECT_EQ(typed, u"http://例え.jp/\U0001F600");
    EXPECT_EQ(cleared, u"");
    EXPECT_FALSE(dialog_.Of(WM_COMMAND, EN_CHANGE).empty());
}

TEST_F(UserActionsTest, TickClicksTheCheckBoxOnlyWhenItDiffers) {
    Run({Do([&](HeadlessFrontEnd& ui) {
        Outcome outcome = ui.Tick(15, true);
        EXPECT_TRUE(outcome.Ok());
        EXPECT_TRUE(outcome.ticked);
        EXPECT_TRUE(Ticked(15));
        // Scrolled into view to be clicked.
        const LRESULT top = SendMessageW(Item(kList), LVM_GETTOPINDEX, 0, 0);
        EXPECT_TRUE(top <= 15 && 15 < top + 3) << top;
        const std::size_t changes = dialog_.Of(WM_NOTIFY, LVN_ITEMCHANGED).size();
        EXPECT_TRUE(ui.Tick(15, true).ticked);
        EXPECT_EQ(dialog_.Of(WM_NOTIFY, LVN_ITEMCHANGED).size(), changes);
        outcome = ui.Tick(15, false);
        EXPECT_TRUE(outcome.Ok());
        EXPECT_FALSE(outcome.ticked);
        EXPECT_EQ(ui.Tick(kRows, true).error, "no such row");
        EXPECT_EQ(ui.Tick(-1, true).error, "no such row");
    })});
}

TEST_F(UserActionsTest, TickAnswersTheTickAVetoLeft) {
    dialog_.vetoTickOfRow = 2;
    Outcome outcome;
    Run({Do([&](HeadlessFrontEnd& ui) { outcome = ui.Tick(2, true); })});
    EXPECT_TRUE(outcome.Ok());
    EXPECT_FALSE(outcome.ticked);
}

TEST_F(UserActionsTest, ClickRowSelectsAndDoubleClickNotifies) {
    Run({Do([&](HeadlessFrontEnd& ui) {
             EXPECT_TRUE(ui.ClickRow(5).Ok());
             EXPECT_TRUE(Selected(5));
             EXPECT_FALSE(Ticked(5));
         }),
         Do([&](HeadlessFrontEnd& ui) { EXPECT_TRUE(ui.DblClickRow(17).Ok()); })});
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, NM_CLICK).front().item, 5);
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, NM_DBLCLK), (std::vector<Heard>{{WM_NOTIFY, kList, NM_DBLCLK, 17}}));
}

TEST_F(UserActionsTest, KeysMoveTheListSelectionAndSpaceTicks) {
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.ClickRow(0).Ok());
        EXPECT_TRUE(ui.Key(VK_DOWN).Ok());
        EXPECT_TRUE(Selected(1));
        EXPECT_TRUE(ui.Key(VK_SPACE).Ok());
        EXPECT_TRUE(Ticked(1));
        EXPECT_TRUE(ui.Key(VK_END).Ok());
        EXPECT_TRUE(Selected(kRows - 1));
        EXPECT_EQ(GetFocus(), Item(kList));
    })});
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, LVN_KEYDOWN).size(), 3u);
}

TEST_F(UserActionsTest, HeaderClicksTheColumn) {
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.Header(1).Ok());
        EXPECT_EQ(ui.Header(2).error, "no such column");
    })});
    EXPECT_EQ(dialog_.Of(WM_NOTIFY, LVN_COLUMNCLICK), (std::vector<Heard>{{WM_NOTIFY, kList, LVN_COLUMNCLICK, 1}}));
}

TEST_F(UserActionsTest, ResizeGivesTheClientAreaTheSize) {
    RECT client{};
    std::vector<std::string> screen;
    Run({Do([&](HeadlessFrontEnd& ui) {
        EXPECT_TRUE(ui.Resize(60, 20).Ok());
        GetClientRect(ui.Dialog(), &client);
        screen = ui.Screen();
        EXPECT_EQ(ui.Resize(0, 5).error, "bad size");
    })});
    EXPECT_EQ(client.right, 60);
    EXPECT_EQ(client.bottom, 20);
    EXPECT_EQ(screen.size(), 22u);
}

TEST_F(UserActionsTest, CloseCancelsTheDialog) {
    EXPECT_EQ(Run({Do([&](HeadlessFrontEnd& ui) { EXPECT_TRUE(ui.Close().Ok()); }),
                   Do([&](HeadlessFrontEnd&) { ADD_FAILURE() << "the dialog should have closed"; })}),
              IDCANCEL);
}

TEST_F(UserActionsTest, ActionsWithoutADialogAreRefused) {
    EXPECT_EQ(frontEnd_.Click(IDOK).error, "no dialog");
    EXPECT_EQ(frontEnd_.Tick(0, true).error, "no dialog");
    EXPECT_TRUE(frontEnd_.Screen().empty());
}

}  // namespace
}  // namespace headlesstest
