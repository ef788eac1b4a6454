#include "tests/listview/ListViewFixture.h"

using lvtest::ListViewTest;
using lvtest::Note;

namespace {

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;
constexpr UINT kUnticked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

// A single-selection list with check boxes and full-row selection, 9 rows to a page, 30 rows.
class UserInputTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        SetExStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        AddColumns({u"Name", u"URL"});
        AddRows(30);
    }

    // The row's line in the client area while the list shows its top.
    static int Line(int row) { return 1 + row; }
};

TEST_F(UserInputTest, AClickFocusesTheListMovesSelectionAndFocusThenReportsTheClick) {
    SetFocus(nullptr);
    Click(12, Line(2));
    EXPECT_EQ(GetFocus(), m_list);
    EXPECT_EQ(State(2, kSelFocus), kSelFocus);

    m_notes.clear();
    Click(4, Line(5));
    ASSERT_EQ(m_notes.size(), 5U);
    EXPECT_EQ(m_notes[0].code, LVN_ITEMCHANGING);
    EXPECT_EQ(m_notes[0].item, 2);
    EXPECT_EQ(m_notes[0].oldState & kSelFocus, kSelFocus);
    EXPECT_EQ(m_notes[0].newState & kSelFocus, 0U);
    EXPECT_EQ(m_notes[1].code, LVN_ITEMCHANGED);
    EXPECT_EQ(m_notes[2].code, LVN_ITEMCHANGING);
    EXPECT_EQ(m_notes[2].item, 5);
    EXPECT_EQ(m_notes[2].newState, kSelFocus | kUnticked);
    EXPECT_EQ(m_notes[3].code, LVN_ITEMCHANGED);
    EXPECT_EQ(m_notes[4].code, NM_CLICK);
    EXPECT_EQ(m_notes[4].item, 5);
    EXPECT_EQ(m_notes[4].subItem, 0);
    EXPECT_EQ(m_notes[4].point.x, 4);
    EXPECT_EQ(m_notes[4].point.y, Line(5));
    EXPECT_EQ(State(2, kSelFocus), 0U);
}

TEST_F(UserInputTest, ACheckBoxClickTicksWithoutSelecting) {
    Click(12, Line(0));
    m_notes.clear();
    Click(1, Line(3));
    EXPECT_EQ(State(3, LVIS_STATEIMAGEMASK), kTicked);
    EXPECT_EQ(State(3, kSelFocus), 0U);
    EXPECT_EQ(State(0, kSelFocus), kSelFocus);
    ASSERT_EQ(m_notes.size(), 3U);
    EXPECT_EQ(m_notes[0].code, LVN_ITEMCHANGING);
    EXPECT_EQ(m_notes[0].oldState, kUnticked);
    EXPECT_EQ(m_notes[0].newState, kTicked);
    EXPECT_EQ(m_notes[1].code, LVN_ITEMCHANGED);
    EXPECT_EQ(m_notes[2].code, NM_CLICK);
    EXPECT_EQ(m_notes[2].item, 3);

    // A double click on the box is two toggles, as the second click toggles again.
    m_notes.clear();
    DoubleClick(0, Line(4));
    EXPECT_EQ(State(4, LVIS_STATEIMAGEMASK), kUnticked);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK, LVN_ITEMCHANGING,
                                          LVN_ITEMCHANGED, NM_DBLCLK}));
}

TEST_F(UserInputTest, AVetoedTickStaysButTheClickIsStillReported) {
    m_answer = [](const NMHDR& header) -> LRESULT { return header.code == LVN_ITEMCHANGING; };
    Click(1, Line(3));
    EXPECT_EQ(State(3, LVIS_STATEIMAGEMASK), kUnticked);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, NM_CLICK}));
}

TEST_F(UserInputTest, ADoubleClickOnARowSelectsItOnceAndReportsBothClicks) {
    DoubleClick(15, Line(6));
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK, NM_DBLCLK}));
    EXPECT_EQ(NotesOf(NM_DBLCLK)[0].item, 6);
    EXPECT_EQ(NotesOf(NM_DBLCLK)[0].subItem, 1);
}

TEST_F(UserInputTest, AClickBelowTheRowsClearsTheSelection) {
    Send(LVM_DELETEALLITEMS);
    AddRows(3);
    Click(12, Line(1));
    m_notes.clear();
    Click(12, Line(6));
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 0);
    ASSERT_EQ(m_notes.size(), 3U);
    EXPECT_EQ(m_notes[0].item, 1);
    EXPECT_EQ(m_notes[0].newState & LVIS_SELECTED, 0U);
    EXPECT_EQ(m_notes[2].code, NM_CLICK);
    EXPECT_EQ(m_notes[2].item, -1);
}

TEST_F(UserInputTest, AHeaderClickNamesTheColumnUnlessTheHeaderDoesNotSort) {
    Click(13, 0);
    ASSERT_EQ(Codes(), std::vector<UINT>{LVN_COLUMNCLICK});
    EXPECT_EQ(m_notes[0].item, -1);
    EXPECT_EQ(m_notes[0].subItem, 1);
    m_notes.clear();
    Click(25, 0);  // right of the last column
    EXPECT_TRUE(m_notes.empty());

    SetWindowLongW(m_list, GWL_STYLE, GetWindowLongW(m_list, GWL_STYLE) | static_cast<LONG>(LVS_NOSORTHEADER));
    Click(3, 0);
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(UserInputTest, KeysAreReportedBeforeTheListMoves) {
    Click(12, Line(0));
    m_answer = [this](const NMHDR& header) -> LRESULT {
        if (header.code == LVN_KEYDOWN) {
            EXPECT_EQ(Next(-1, LVNI_SELECTED), 0);
        }
        return 0;
    };
    m_notes.clear();
    Key(VK_DOWN);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_KEYDOWN, LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING,
                                          LVN_ITEMCHANGED}));
    EXPECT_EQ(m_notes[0].key, VK_DOWN);
    m_answer = nullptr;
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 1);

    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 0);
    Key(VK_END);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 29);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 21);
    Key(VK_HOME);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
}

TEST_F(UserInputTest, PageKeysGoToTheEdgeOfThePageThenAPageOn) {
    Click(12, Line(0));
    Key(VK_NEXT);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 8);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
    Key(VK_NEXT);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 16);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 8);
    Key(VK_NEXT);
    Key(VK_NEXT);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 29);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 21);
    Key(VK_PRIOR);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 21);
    Key(VK_PRIOR);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 13);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 13);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
}

TEST_F(UserInputTest, SpaceTicksTheFocusedRow) {
    Click(12, Line(2));
    m_notes.clear();
    Key(VK_SPACE);
    EXPECT_EQ(State(2, LVIS_STATEIMAGEMASK), kTicked);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_KEYDOWN, LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
    EXPECT_EQ(m_notes[2].newState, kSelFocus | kTicked);
    Key(VK_SPACE);
    EXPECT_EQ(State(2, LVIS_STATEIMAGEMASK), kUnticked);
}

TEST_F(UserInputTest, TheWheelScrollsThreeRowsANotchWithinTheRows) {
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 6);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 3);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-20 * WHEEL_DELTA)), 0);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 21);
    // Rows are hit where they are shown.
    Click(12, 1);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 21);
}

TEST_F(UserInputTest, ADisabledListIgnoresTheUser) {
    EnableWindow(m_list, FALSE);
    Click(12, Line(1));
    Key(VK_DOWN);
    EXPECT_TRUE(m_notes.empty());
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

}  // namespace
