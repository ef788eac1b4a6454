#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"
#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using controlstest::Click;
using controlstest::Command;
using controlstest::ParentWindow;

class ButtonTest : public controlstest::ControlsTest {};

LRESULT CheckOf(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); }

TEST_F(ButtonTest, PushButtonClicksByMouseSpaceAndBmClick) {
    ParentWindow parent;
    HWND ok = parent.Add(u"Button", u"&OK", BS_PUSHBUTTON | WS_TABSTOP, IDOK, 2, 2, 10, 1);
    ASSERT_NE(ok, nullptr);

    controlstest::MouseDown(ok, 3, 0);
    EXPECT_EQ(GetFocus(), ok);  // the focus comes first
    EXPECT_NE(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_TRUE(parent.Take().empty());  // the click is the button coming up
    controlstest::MouseUp(ok, 3, 0);
    EXPECT_EQ(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(parent.Take(), (std::vector<Command>{{IDOK, BN_CLICKED, ok}}));

    controlstest::MouseDown(ok, 3, 0);
    controlstest::MouseUp(ok, 12, 0);  // released off the button: no click
    controlstest::MouseUp(ok, 3, 0);   // an up without a down
    EXPECT_TRUE(parent.Take().empty());

    controlstest::Key(ok, VK_SPACE);
    SendMessageW(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.Take().size(), 2u);

    SetFocus(nullptr);
    controlstest::Key(ok, VK_SPACE);  // Space counts only when the button has the focus
    EXPECT_TRUE(parent.Take().empty());
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeTheParentHears) {
    ParentWindow parent;
    HWND box = parent.Add(u"Button", u"Check", BS_AUTOCHECKBOX, 10, 0, 0, 10, 1);
    std::vector<LRESULT> seen;
    parent.onCommand = [&](const Command&) { seen.push_back(CheckOf(box)); };
    Click(box);
    Click(box);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));

    SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(CheckOf(box), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(seen.size(), 3u);  // BM_SETCHECK tells nobody
}

TEST_F(ButtonTest, AutoRadioButtonsSwitchWithinTheirGroupOnly) {
    ParentWindow parent;
    // A group without WS_GROUP on its first member starts at the first child.
    HWND lead = parent.Add(u"Button", u"lead", BS_AUTORADIOBUTTON, 1, 0, 0, 10, 1);
    HWND a1 = parent.Add(u"Button", u"a1", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 2, 0, 1, 10, 1);
    HWND a2 = parent.Add(u"Button", u"a2", BS_AUTORADIOBUTTON, 3, 0, 2, 10, 1);
    HWND check = parent.Add(u"Button", u"check", BS_AUTOCHECKBOX, 4, 0, 3, 10, 1);
    HWND manual = parent.Add(u"Button", u"manual", BS_RADIOBUTTON, 5, 0, 4, 10, 1);
    HWND a3 = parent.Add(u"Button", u"a3", BS_AUTORADIOBUTTON, 6, 0, 5, 10, 1);
    HWND b1 = parent.Add(u"Button", u"b1", BS_AUTORADIOBUTTON | WS_GROUP, 7, 0, 6, 10, 1);
    HWND b2 = parent.Add(u"Button", u"b2", BS_AUTORADIOBUTTON, 8, 0, 7, 10, 1);
    for (HWND button : {lead, a1, check, manual, b1})
        SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(parent.Take().empty());

    std::vector<LRESULT> seen;
    parent.onCommand = [&](const Command&) {
        // By the time the parent hears, the group has switched.
        seen = {CheckOf(a1), CheckOf(a3)};
    };
    Click(a3);
    parent.onCommand = nullptr;
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(parent.Take(), (std::vector<Command>{{6, BN_CLICKED, a3}}));
    EXPECT_EQ(CheckOf(a2), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(CheckOf(check), static_cast<LRESULT>(BST_CHECKED));   // not a radio button
    EXPECT_EQ(CheckOf(manual), static_cast<LRESULT>(BST_CHECKED));  // not an automatic one
    EXPECT_EQ(CheckOf(lead), static_cast<LRESULT>(BST_CHECKED));    // before the group
    EXPECT_EQ(CheckOf(b1), static_cast<LRESULT>(BST_CHECKED));      // the next group

    Click(b2);
    EXPECT_EQ(CheckOf(b1), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(CheckOf(a3), static_cast<LRESULT>(BST_CHECKED));

    Click(a1);  // the group's first member, WS_GROUP itself
    EXPECT_EQ(CheckOf(a3), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(CheckOf(lead), static_cast<LRESULT>(BST_CHECKED));
    Click(a1);  // a checked radio button clicked again stays checked and still tells the parent
    EXPECT_EQ(CheckOf(a1), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(parent.Take().size(), 3u);

    Click(manual);  // a plain radio button leaves its check to the program
    EXPECT_EQ(CheckOf(manual), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(CheckOf(a1), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(parent.Take(), (std::vector<Command>{{5, BN_CLICKED, manual}}));
}

TEST_F(ButtonTest, DisabledButtonsAndGroupBoxesTakeNoInput) {
    ParentWindow parent;
    HWND box = parent.Add(u"Button", u"box", BS_AUTOCHECKBOX | WS_DISABLED, 1, 0, 0, 10, 1);
    HWND radio = parent.Add(u"Button", u"radio", BS_AUTORADIOBUTTON, 2, 0, 1, 10, 1);
    HWND group = parent.Add(u"Button", u"group", BS_GROUPBOX, 3, 0, 2, 20, 5);
    EnableWindow(radio, FALSE);
    SetFocus(parent.Hwnd());
    for (HWND button : {box, radio, group}) {
        Click(button);
        SendMessageW(button, BM_CLICK, 0, 0);
        SetFocus(button);
        controlstest::Key(button, VK_SPACE);
        SetFocus(parent.Hwnd());
        EXPECT_EQ(CheckOf(button), static_cast<LRESULT>(BST_UNCHECKED));
    }
    EXPECT_EQ(GetFocus(), parent.Hwnd());  // no click took the focus
    EXPECT_TRUE(parent.Take().empty());

    EnableWindow(box, TRUE);
    Click(box);
    EXPECT_EQ(CheckOf(box), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(parent.Take().size(), 1u);
}

TEST_F(ButtonTest, DialogCodesFollowTheKindAndBmSetStyleChangesIt) {
    ParentWindow parent;
    const auto code = [](HWND button) { return SendMessageW(button, WM_GETDLGCODE, 0, 0); };
    HWND push = parent.Add(u"Button", u"push", BS_PUSHBUTTON | WS_TABSTOP, 1, 0, 0, 8, 1);
    EXPECT_EQ(code(push), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(code(parent.Add(u"Button", u"def", BS_DEFPUSHBUTTON, 2, 0, 1, 8, 1)), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(parent.Add(u"Button", u"r", BS_AUTORADIOBUTTON, 3, 0, 2, 8, 1)), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(code(parent.Add(u"Button", u"c", BS_AUTOCHECKBOX, 4, 0, 3, 8, 1)), DLGC_BUTTON);
    EXPECT_EQ(code(parent.Add(u"Button", u"g", BS_GROUPBOX, 5, 0, 4, 8, 3)), DLGC_STATIC);
    EXPECT_EQ(code(parent.Add(u"Static", u"label", SS_LEFT, 6, 0, 7, 8, 1)), DLGC_STATIC);

    SendMessageW(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(code(push), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(controlstest::StyleOf(push) & (BS_TYPEMASK | WS_TABSTOP | WS_CHILD), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD);
    SendMessageW(push, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(code(push), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_TRUE(parent.Take().empty());
}

TEST_F(ButtonTest, AHandlerMayDestroyTheButtonItClicked) {
    ParentWindow parent;
    HWND radio = parent.Add(u"Button", u"radio", BS_AUTORADIOBUTTON, 1, 0, 0, 8, 1);
    HWND push = parent.Add(u"Button", u"push", BS_PUSHBUTTON, 2, 0, 1, 8, 1);
    parent.onCommand = [](const Command& command) { DestroyWindow(command.from); };
    Click(radio);
    EXPECT_FALSE(IsWindow(radio));
    controlstest::Key(push, VK_SPACE);  // not focused: nothing
    SetFocus(push);
    controlstest::Key(push, VK_SPACE);
    EXPECT_FALSE(IsWindow(push));
    EXPECT_EQ(parent.Take().size(), 2u);
}

}  // namespace
