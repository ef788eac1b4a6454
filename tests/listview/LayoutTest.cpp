#include "tests/listview/ListViewFixture.h"

using lvtest::ListViewTest;

namespace {

class LayoutTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(0, 40, 12);  // a 38 x 10 client area: the header and 9 rows
        AddColumns({u"Name", u"URL"});
    }

    void SetSubText(int row, int column, const char16_t* text) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = const_cast<LPWSTR>(text);
        Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }

    int HitTest(int x, int y, LVHITTESTINFO& hit) {
        hit = LVHITTESTINFO{};
        hit.pt = POINT{x, y};
        return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
};

TEST_F(LayoutTest, AutosizeFitsTheWidestCellCountingWideCharactersTwice) {
    Insert(0, u"\u65E5\u672C\u8A9E");  // three wide characters: 6 cells
    Insert(1, u"abcd");
    SetSubText(0, 1, u"x");
    SetSubText(1, 1, u"e\u0301");  // a combining accent takes no cell

    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0), 8);  // a cell before the text and one after
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 1), 3);
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 1), 5);  // "URL" is wider than its cells
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0), 8);

    // The check box and a space come before column 0's text.
    SetExStyle(LVS_EX_CHECKBOXES);
    Send(LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0), 11);
    EXPECT_FALSE(Send(LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE));
}

TEST_F(LayoutTest, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
    AddRows(100);
    EXPECT_EQ(Send(LVM_GETCOUNTPERPAGE), 9);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
    EXPECT_TRUE(Send(LVM_ENSUREVISIBLE, 8, FALSE));
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
    Send(LVM_ENSUREVISIBLE, 50, FALSE);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 42);
    Send(LVM_ENSUREVISIBLE, 45, FALSE);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 42);
    Send(LVM_ENSUREVISIBLE, 10, FALSE);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 10);
    EXPECT_FALSE(Send(LVM_ENSUREVISIBLE, 100, FALSE));

    Send(LVM_SCROLL, 0, 5);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 15);
    Send(LVM_SCROLL, 0, 1000);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 91);
    Send(LVM_SCROLL, 0, -1000);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);

    // Rows removed from the end pull the view back; a taller list shows more of them.
    Send(LVM_SCROLL, 0, 1000);
    for (int row = 99; row >= 95; --row)
        Send(LVM_DELETEITEM, static_cast<WPARAM>(row));
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 86);
    MoveWindow(m_list, 0, 0, 40, 22, FALSE);
    EXPECT_EQ(Send(LVM_GETCOUNTPERPAGE), 19);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 76);
}

TEST_F(LayoutTest, ItemRectsAndHitTestsAgreeWithTheLinesRowsAreShownOn) {
    AddRows(20);
    Send(LVM_SCROLL, 0, 4);
    RECT rect{};
    ASSERT_TRUE(Send(LVM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.top, 3);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 20);
    EXPECT_FALSE(Send(LVM_GETITEMRECT, 20, reinterpret_cast<LPARAM>(&rect)));

    LVHITTESTINFO hit{};
    EXPECT_EQ(HitTest(5, 3, hit), 6);
    EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);
    EXPECT_EQ(HitTest(5, 0, hit), -1);  // the header
    EXPECT_EQ(HitTest(25, 3, hit), -1);  // right of the columns
    // Without full-row selection only the first column is the row.
    EXPECT_EQ(HitTest(12, 3, hit), -1);
    EXPECT_EQ(hit.flags, LVHT_NOWHERE);

    SetExStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    EXPECT_EQ(HitTest(12, 3, hit), 6);
    EXPECT_EQ(hit.iSubItem, 1);
    EXPECT_EQ(HitTest(2, 1, hit), 4);
    EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
    EXPECT_EQ(HitTest(3, 1, hit), 4);
    EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);
}

TEST_F(LayoutTest, ColumnsWiderThanTheListScrollSidewaysAColumnAtATimeAndHitTestsFollow) {
    AddColumns({u"Code", u"Text"}, 25);  // before Name and URL: edges at 25, 50, 60 and 70, in a client 38 wide
    AddRows(3);
    SetExStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    auto keyDown = [&](WORD key) { Send(WM_KEYDOWN, key); };

    keyDown(VK_RIGHT);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 25);
    LVHITTESTINFO hit{};
    EXPECT_EQ(HitTest(1, 1, hit), 0);
    EXPECT_EQ(hit.iSubItem, 1);
    EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);  // the check box is scrolled away
    RECT rect{};
    ASSERT_TRUE(Send(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, -25);
    EXPECT_EQ(rect.right, 45);

    // No further than the last column's end; back a column edge at a time, to the first.
    keyDown(VK_RIGHT);
    keyDown(VK_RIGHT);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 32);
    EXPECT_EQ(HitTest(37, 1, hit), 0);
    EXPECT_EQ(hit.iSubItem, 3);
    keyDown(VK_LEFT);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 25);
    Send(WM_MOUSEHWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 0);
    EXPECT_EQ(HitTest(1, 1, hit), 0);
    EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);

    // A wider list, or narrower columns, take the scrolling back.
    Send(LVM_SCROLL, 100, 0);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 32);
    MoveWindow(m_list, 0, 0, 46, 12, FALSE);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 26);
    Send(LVM_SETCOLUMNWIDTH, 0, 5);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 6);
    Send(LVM_SETCOLUMNWIDTH, 1, 5);
    EXPECT_EQ(GetScrollPos(m_list, SB_HORZ), 0);
}

}  // namespace
