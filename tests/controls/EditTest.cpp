#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"
#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using controlstest::Command;
using controlstest::Key;
using controlstest::ParentWindow;
using controlstest::TextOf;
using controlstest::Type;

class EditTest : public controlstest::ControlsTest {
protected:
    // A one-line box of `width` cells with a border (too small for frame cells).
    HWND AddEdit(int width = 20) {
        return parent.Add(u"Edit", u"", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kId, 0, 0, width, 1);
    }

    size_t Changes() {
        size_t count = 0;
        for (const Command& command : parent.Take()) {
            EXPECT_EQ(command.id, kId);
            EXPECT_EQ(command.code, EN_CHANGE);
            ++count;
        }
        return count;
    }

    static constexpr int kId = 3001;
    ParentWindow parent;
};

std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    const LRESULT packed = SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(LOWORD(static_cast<UINT_PTR>(packed)), start);
    EXPECT_EQ(HIWORD(static_cast<UINT_PTR>(packed)), end);
    return {static_cast<int>(start), static_cast<int>(end)};
}

LRESULT FirstVisible(HWND edit) { return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0); }

TEST_F(EditTest, TypingInsertsAtTheCaretAndNotifiesEachChange) {
    HWND edit = AddEdit();
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    Type(edit, u"http:/");
    EXPECT_EQ(TextOf(edit), u"http:/");
    EXPECT_EQ(Changes(), 6u);
    EXPECT_EQ(Selection(edit), std::make_pair(6, 6));

    // Control characters and DEL are not text.
    Type(edit, u"\x01\t\r\x1B\x7F");
    EXPECT_EQ(TextOf(edit), u"http:/");
    EXPECT_EQ(Changes(), 0u);

    SendMessageW(edit, EM_SETSEL, 0, 4);
    Type(edit, u"X");  // replaces the selection
    EXPECT_EQ(TextOf(edit), u"X:/");
    EXPECT_EQ(Selection(edit), std::make_pair(1, 1));
    EXPECT_EQ(Changes(), 1u);
}

TEST_F(EditTest, EditingKeysMoveDeleteAndExtendWithShift) {
    HWND edit = AddEdit();
    Type(edit, u"abcdef");
    Changes();
    Key(edit, VK_HOME);
    Key(edit, VK_RIGHT);
    Key(edit, VK_RIGHT, true);
    Key(edit, VK_RIGHT, true);
    EXPECT_EQ(Selection(edit), std::make_pair(1, 3));
    Key(edit, VK_LEFT);  // collapses one step left of the caret
    EXPECT_EQ(Selection(edit), std::make_pair(2, 2));
    EXPECT_EQ(Changes(), 0u);

    Key(edit, VK_BACK);
    EXPECT_EQ(TextOf(edit), u"acdef");
    Key(edit, VK_DELETE);
    EXPECT_EQ(TextOf(edit), u"adef");
    Type(edit, u"\b");  // Backspace typed as a character
    EXPECT_EQ(TextOf(edit), u"def");
    EXPECT_EQ(Changes(), 3u);

    Key(edit, VK_BACK);  // nothing before the caret: no change, no notification
    Key(edit, VK_END, true);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 3));
    Key(edit, VK_DELETE);
    EXPECT_EQ(TextOf(edit), u"");
    Key(edit, VK_DELETE);
    EXPECT_EQ(Changes(), 1u);
}

TEST_F(EditTest, SurrogatePairsTypedAsTwoUnitsAreOneCharacter) {
    HWND edit = AddEdit();
    Type(edit, u"a\U0001F600b");
    EXPECT_EQ(TextOf(edit), u"a\U0001F600b");
    EXPECT_EQ(Changes(), 3u);  // one change per character, not per unit
    Key(edit, VK_LEFT);
    Key(edit, VK_LEFT);
    EXPECT_EQ(Selection(edit), std::make_pair(1, 1));
    Key(edit, VK_RIGHT, true);
    EXPECT_EQ(Selection(edit), std::make_pair(1, 3));
    Key(edit, VK_BACK);
    EXPECT_EQ(TextOf(edit), u"ab");
    Type(edit, u"\U0001F600");
    EXPECT_EQ(Selection(edit), std::make_pair(3, 3));
    Key(edit, VK_BACK);
    EXPECT_EQ(TextOf(edit), u"ab");
    Key(edit, VK_LEFT);
    Type(edit, u"\U0001F600");
    Key(edit, VK_LEFT);
    Key(edit, VK_DELETE);
    EXPECT_EQ(TextOf(edit), u"ab");

    // A caret placed between the halves moves to the pair's start.
    SetWindowTextW(edit, u"\U0001F600");
    SendMessageW(edit, EM_SETSEL, 1, 1);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 0));
    Type(edit, u"\xDE00");  // a second half alone is dropped
    EXPECT_EQ(TextOf(edit), u"\U0001F600");
}

TEST_F(EditTest, LimitTextStopsTypingOnly) {
    HWND edit = AddEdit();
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);
    Type(edit, u"abcd");
    EXPECT_EQ(TextOf(edit), u"abc");
    Key(edit, VK_BACK);
    Type(edit, u"\U0001F600");  // two units where one is left: refused whole
    EXPECT_EQ(TextOf(edit), u"ab");
    SendMessageW(edit, EM_SETSEL, 0, 1);
    Type(edit, u"Z");  // a replacement within the limit
    EXPECT_EQ(TextOf(edit), u"Zb");
    SetWindowTextW(edit, u"longer than three");  // the program is not limited
    EXPECT_EQ(TextOf(edit), u"longer than three");
    EXPECT_EQ(Changes(), 5u);
}

TEST_F(EditTest, TheDefaultLimitIsLiftedByALimitOfZero) {
    HWND edit = AddEdit();
    const std::u16string full(32767, u'x');
    SetWindowTextW(edit, full.c_str());
    SendMessageW(edit, EM_SETSEL, 40000, 40000);
    Type(edit, u"y");
    EXPECT_EQ(GetWindowTextLengthW(edit), 32767);
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    Type(edit, u"y");
    EXPECT_EQ(GetWindowTextLengthW(edit), 32768);
    EXPECT_EQ(Changes(), 1u);
}

TEST_F(EditTest, TextSetFromOutsideSendsNothingAndClampsTheCaret) {
    HWND edit = AddEdit();
    Type(edit, u"hello world");
    Changes();
    SetWindowTextW(edit, u"hi");
    EXPECT_EQ(Selection(edit), std::make_pair(2, 2));
    Type(edit, u"!");
    EXPECT_EQ(TextOf(edit), u"hi!");
    EXPECT_EQ(Changes(), 1u);

    SendMessageW(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 3));
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // a start of -1 drops the selection
    EXPECT_EQ(Selection(edit), std::make_pair(3, 3));
    SendMessageW(edit, EM_SETSEL, 1, 99);
    EXPECT_EQ(Selection(edit), std::make_pair(1, 3));
    EXPECT_EQ(Changes(), 0u);
}

TEST_F(EditTest, WideCharactersScrollToKeepTheCaretInView) {
    HWND edit = AddEdit(10);
    // Eight wide characters take 16 cells; the box has 10, one of them kept for the caret.
    Type(edit, u"あいうえおかきく");
    EXPECT_EQ(FirstVisible(edit), 4);
    Key(edit, VK_HOME);
    EXPECT_EQ(FirstVisible(edit), 0);
    Key(edit, VK_RIGHT);
    EXPECT_EQ(FirstVisible(edit), 0);  // the caret is still in view
    Key(edit, VK_END);
    EXPECT_EQ(FirstVisible(edit), 4);
    Key(edit, VK_BACK);
    Key(edit, VK_BACK);
    EXPECT_EQ(FirstVisible(edit), 2);  // the text comes back in as the end shrinks
    for (int i = 0; i < 4; ++i)
        Key(edit, VK_LEFT);
    EXPECT_EQ(FirstVisible(edit), 2);
    Key(edit, VK_LEFT);
    EXPECT_EQ(FirstVisible(edit), 1);

    // Narrow and wide mixed: "ab" + 4 wide + "cd" = 12 cells.
    SetWindowTextW(edit, u"abアイウエcd");
    SendMessageW(edit, EM_SETSEL, 8, 8);
    EXPECT_EQ(FirstVisible(edit), 3);  // イウエcd, 8 cells, is what fits before the caret

    SetWindowTextW(edit, u"short");
    EXPECT_EQ(FirstVisible(edit), 0);
}

TEST_F(EditTest, AClickPutsTheCaretAtTheClickedCell) {
    HWND edit = AddEdit(10);
    Type(edit, u"aあb");
    Changes();
    SetFocus(nullptr);
    const std::vector<std::pair<int, int>> cellToCaret{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 3}, {9, 3}};
    for (auto [cell, caret] : cellToCaret) {
        controlstest::MouseDown(edit, cell, 0);
        EXPECT_EQ(Selection(edit), std::make_pair(caret, caret)) << "cell " << cell;
    }
    EXPECT_EQ(GetFocus(), edit);

    controlstest::MouseDown(edit, 0, 0);
    SetKeyModifiers(true, false, false);
    controlstest::MouseDown(edit, 3, 0);  // Shift extends
    SetKeyModifiers(false, false, false);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 2));

    // Scrolled: cells count from the first visible character.
    SetWindowTextW(edit, u"0123456789abcdef");
    SendMessageW(edit, EM_SETSEL, 16, 16);
    ASSERT_EQ(FirstVisible(edit), 7);
    controlstest::MouseDown(edit, 2, 0);
    EXPECT_EQ(Selection(edit), std::make_pair(9, 9));
    EXPECT_EQ(Changes(), 0u);
}

TEST_F(EditTest, ADisabledBoxIgnoresTheUser) {
    HWND edit = AddEdit();
    SetWindowTextW(edit, u"fixed");
    EnableWindow(edit, FALSE);
    Type(edit, u"x");
    Key(edit, VK_BACK);
    Key(edit, VK_HOME);
    controlstest::MouseDown(edit, 0, 0);
    EXPECT_EQ(TextOf(edit), u"fixed");
    EXPECT_EQ(Selection(edit), std::make_pair(0, 0));
    EXPECT_NE(GetFocus(), edit);
    EXPECT_EQ(Changes(), 0u);
}

}  // namespace
