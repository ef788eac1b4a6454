#include "platform/win/WinControls.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"
#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using controlstest::Click;
using controlstest::Command;
using controlstest::Key;
using controlstest::ParentWindow;
using controlstest::TextOf;

class ComboBoxTest : public controlstest::ControlsTest {
protected:
    // A box whose dropped list shows `lines` items.
    HWND AddCombo(DWORD style = 0, int lines = 4) {
        return parent.Add(u"ComboBox", u"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style, kId, 2, 2, 20, 1 + lines);
    }

    // The notification codes received since the last call, all from the box.
    std::vector<UINT> Codes() {
        std::vector<UINT> codes;
        for (const Command& command : parent.Take()) {
            EXPECT_EQ(command.id, kId);
            codes.push_back(command.code);
        }
        return codes;
    }

    static constexpr int kId = 3002;
    ParentWindow parent;
};

LRESULT Add(HWND combo, const char16_t* text) { return SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

LRESULT Insert(HWND combo, int index, const char16_t* text) {
    return SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}

std::vector<std::u16string> Items(HWND combo) {
    std::vector<std::u16string> items;
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::u16string item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, u'\0');
        item.resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

LRESULT Selected(HWND combo) { return SendMessageW(combo, CB_GETCURSEL, 0, 0); }
bool Dropped(HWND combo) { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

void Fill(HWND combo, int count) {
    for (int i = 0; i < count; ++i)
        Add(combo, (u"item " + std::u16string(1, static_cast<char16_t>(u'a' + i))).c_str());
}

TEST_F(ComboBoxTest, SortedBoxesSortAddStringButNotInsertString) {
    HWND sorted = AddCombo(CBS_SORT);
    EXPECT_EQ(Add(sorted, u"pear"), 0);
    EXPECT_EQ(Add(sorted, u"apple"), 0);
    EXPECT_EQ(Add(sorted, u"Apple"), 0);  // code-unit order: upper case first
    EXPECT_EQ(Add(sorted, u"\u00E9clair"), 3);  // beyond ASCII
    EXPECT_EQ(Add(sorted, u"banana"), 2);
    EXPECT_EQ(Add(sorted, u"banana"), 3);  // after its equal
    EXPECT_EQ(Insert(sorted, 0, u"zebra"), 0);
    EXPECT_EQ(Insert(sorted, -1, u"aardvark"), 7);
    EXPECT_EQ(Insert(sorted, 9, u"too far"), CB_ERR);
    EXPECT_EQ(Items(sorted), (std::vector<std::u16string>{u"zebra", u"Apple", u"apple", u"banana", u"banana", u"pear",
                                                          u"\u00E9clair", u"aardvark"}));

    HWND plain = parent.Add(u"ComboBox", u"", CBS_DROPDOWNLIST, 9, 0, 0, 10, 3);
    Add(plain, u"b");
    Add(plain, u"a");
    EXPECT_EQ(Items(plain), (std::vector<std::u16string>{u"b", u"a"}));
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ComboBoxTest, TheProgramsSelectionSendsNothingAndTheTextFollowsIt) {
    HWND combo = AddCombo();
    Fill(combo, 4);
    EXPECT_EQ(Selected(combo), CB_ERR);
    EXPECT_EQ(TextOf(combo), u"");
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(TextOf(combo), u"item c");
    EXPECT_EQ(Insert(combo, 0, u"first"), 0);  // the selection stays on its item
    EXPECT_EQ(Selected(combo), 3);
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 0, 0), 4);
    EXPECT_EQ(Selected(combo), 2);
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 9, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 9, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 9, 0), CB_ERR);  // outside the list: no selection
    EXPECT_EQ(Selected(combo), CB_ERR);
    EXPECT_EQ(TextOf(combo), u"");

    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(combo, CB_DELETESTRING, 1, 0);  // the selected item goes, and the selection with it
    EXPECT_EQ(Selected(combo), CB_ERR);
    EXPECT_EQ(TextOf(combo), u"");
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Selected(combo), CB_ERR);
    EXPECT_EQ(TextOf(combo), u"");
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ComboBoxTest, SelectionKeysChooseAndNotifyOnlyOnChange) {
    HWND combo = AddCombo(0, 4);  // a page is 3 items
    Fill(combo, 10);
    SetFocus(combo);
    Key(combo, VK_DOWN);
    EXPECT_EQ(Selected(combo), 0);
    EXPECT_EQ(TextOf(combo), u"item a");
    Key(combo, VK_UP);  // already first: no change, no notification
    Key(combo, VK_NEXT);
    EXPECT_EQ(Selected(combo), 3);
    Key(combo, VK_END);
    EXPECT_EQ(Selected(combo), 9);
    Key(combo, VK_DOWN);
    Key(combo, VK_PRIOR);
    EXPECT_EQ(Selected(combo), 6);
    Key(combo, VK_HOME);
    EXPECT_EQ(Selected(combo), 0);
    EXPECT_EQ(Codes(), std::vector<UINT>(5, CBN_SELCHANGE));
    EXPECT_FALSE(Dropped(combo));

    SendMessageW(combo, WM_CHAR, u'I', 0);  // the next item starting with the letter, ignoring case
    EXPECT_EQ(Selected(combo), 1);
    SendMessageW(combo, WM_CHAR, u'q', 0);  // none: nothing
    EXPECT_EQ(Codes(), std::vector<UINT>{CBN_SELCHANGE});
}

TEST_F(ComboBoxTest, ClicksDropTheListAndPickAnItem) {
    HWND combo = AddCombo(0, 3);
    Fill(combo, 10);
    SendMessageW(combo, CB_SETCURSEL, 8, 0);
    EXPECT_EQ(SendMessageW(combo, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);

    Click(combo, 5, 2);  // below a closed box: nothing is there
    EXPECT_TRUE(Codes().empty());
    Click(combo, 5, 0);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_TRUE(Dropped(combo));
    EXPECT_NE(SendMessageW(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 6);  // the selection is in view
    EXPECT_EQ(Codes(), std::vector<UINT>{CBN_DROPDOWN});

    Click(combo, 5, 1);  // line 1: the first item shown
    EXPECT_EQ(Selected(combo), 6);
    EXPECT_EQ(TextOf(combo), u"item g");
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_SELCHANGE, CBN_CLOSEUP}));

    Click(combo, 5, 0);
    Click(combo, 5, 1);  // the item already selected: closes without a change
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP}));

    Click(combo, 5, 0);
    Key(combo, VK_DOWN);  // keys choose in a dropped list too, and keep the choice in view
    Key(combo, VK_DOWN);
    Key(combo, VK_DOWN);
    EXPECT_EQ(Selected(combo), 9);
    EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 7);
    EXPECT_TRUE(Dropped(combo));
    Click(combo, 5, 0);
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, TheWheelScrollsOnlyADroppedList) {
    HWND combo = AddCombo(0, 3);
    Fill(combo, 10);
    const auto wheel = [combo](int notches) {
        SendMessageW(combo, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)), 0);
        return SendMessageW(combo, CB_GETTOPINDEX, 0, 0);
    };
    EXPECT_EQ(wheel(-1), 0);  // closed: nothing moves
    Click(combo, 0, 0);
    EXPECT_EQ(wheel(-1), 3);
    EXPECT_EQ(wheel(-5), 7);  // the last page at most
    EXPECT_EQ(wheel(2), 1);
    EXPECT_EQ(wheel(1), 0);
    EXPECT_EQ(Selected(combo), CB_ERR);  // scrolling chooses nothing
    EXPECT_EQ(Codes(), std::vector<UINT>{CBN_DROPDOWN});
}

TEST_F(ComboBoxTest, KeysOpenAndCloseTheList) {
    HWND combo = AddCombo();
    Fill(combo, 3);
    SetFocus(combo);
    Key(combo, VK_F4);
    EXPECT_TRUE(Dropped(combo));
    Key(combo, VK_RETURN);
    EXPECT_FALSE(Dropped(combo));
    controlstest::AltKey(combo, VK_DOWN);
    EXPECT_TRUE(Dropped(combo));
    Key(combo, VK_ESCAPE);
    EXPECT_FALSE(Dropped(combo));
    Key(combo, VK_ESCAPE);  // closed already: nothing
    Key(combo, VK_F4);
    Key(combo, VK_F4);
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_DROPDOWN, CBN_CLOSEUP, CBN_DROPDOWN,
                                          CBN_CLOSEUP}));

    // The program opens and closes it too; losing the focus closes it.
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(Dropped(combo));
    SetFocus(parent.Hwnd());
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP}));
    EXPECT_EQ(Selected(combo), CB_ERR);
}

TEST_F(ComboBoxTest, ADisabledBoxIgnoresTheUser) {
    HWND combo = AddCombo(WS_DISABLED);
    Fill(combo, 3);
    SetFocus(combo);
    Click(combo, 1, 0);
    Key(combo, VK_DOWN);
    Key(combo, VK_F4);
    controlstest::AltKey(combo, VK_DOWN);
    SendMessageW(combo, WM_CHAR, u'i', 0);
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Selected(combo), CB_ERR);
    EXPECT_TRUE(Codes().empty());

    EnableWindow(combo, TRUE);
    Key(combo, VK_F4);
    EnableWindow(combo, FALSE);  // disabling closes the list
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, AHandlerMayDestroyTheBoxWhileItNotifies) {
    HWND combo = AddCombo();
    Fill(combo, 3);
    Click(combo, 1, 0);
    parent.onCommand = [](const Command& command) {
        if (command.code == CBN_SELCHANGE)
            DestroyWindow(command.from);
    };
    Click(combo, 1, 2);
    EXPECT_FALSE(IsWindow(combo));
    EXPECT_EQ(Codes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE}));
}

}  // namespace
