#include "platform/afx/ListViewMessages.h"
#include "tests/listview/ListViewFixture.h"

using lvtest::ListViewTest;

namespace {

class ItemsTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(0);
        AddColumns({u"Name", u"URL", u"State"});
    }

    bool SetText(int row, int column, const char16_t* text) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = const_cast<LPWSTR>(text);
        return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
    }

    LPARAM Data(int row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        EXPECT_TRUE(Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        return item.lParam;
    }
};

TEST_F(ItemsTest, RowsKeepTheirTextsDataAndPlaceAsRowsComeAndGo) {
    EXPECT_EQ(Insert(0, u"b", 2), 0);
    EXPECT_EQ(Insert(0, u"a", 1), 0);
    EXPECT_EQ(Insert(99, u"d", 4), 2);  // past the end: appended
    EXPECT_EQ(Insert(2, u"c", 3), 2);
    EXPECT_EQ(Insert(-1, u"x", 9), -1);
    ASSERT_EQ(Send(LVM_GETITEMCOUNT), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(Text(row), std::u16string(1, static_cast<char16_t>(u'a' + row)));
        EXPECT_EQ(Data(row), row + 1);
    }

    EXPECT_TRUE(SetText(1, 2, u"broken"));
    EXPECT_TRUE(SetText(1, 1, u"http://b/"));
    EXPECT_FALSE(SetText(1, 3, u"no such column"));
    EXPECT_FALSE(SetText(7, 1, u"no such row"));
    EXPECT_EQ(Text(1, 1), u"http://b/");
    EXPECT_EQ(Text(1, 2), u"broken");
    EXPECT_EQ(Text(0, 2), u"");

    EXPECT_TRUE(Send(LVM_DELETEITEM, 0));
    EXPECT_FALSE(Send(LVM_DELETEITEM, 3));
    EXPECT_EQ(Text(0), u"b");
    EXPECT_EQ(Text(0, 1), u"http://b/");
    EXPECT_EQ(Data(2), 4);
}

TEST_F(ItemsTest, GetItemCopiesWhatTheMaskAsksAndCutsTextToTheBuffer) {
    LVITEMW in{};
    in.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    in.pszText = const_cast<LPWSTR>(u"abcdef");
    in.lParam = 77;
    in.state = LVIS_SELECTED | LVIS_FOCUSED;
    in.stateMask = LVIS_SELECTED;
    ASSERT_EQ(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)), 0);

    char16_t buffer[4];
    LVITEMW out{};
    out.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    out.pszText = buffer;
    out.cchTextMax = 4;
    out.stateMask = ~0U;
    ASSERT_TRUE(Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&out)));
    EXPECT_EQ(std::u16string(buffer), u"abc");
    EXPECT_EQ(out.lParam, 77);
    EXPECT_EQ(out.state, LVIS_SELECTED);  // the focus was outside the state mask
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    out.iItem = 1;
    EXPECT_FALSE(Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&out)));
}

TEST_F(ItemsTest, ColumnsCanBeAskedChangedAndRemovedWithTheirSubItemTexts) {
    EXPECT_EQ(Send(LVM_GETCOLUMNCOUNT), 3);
    Insert(0, u"main");
    SetText(0, 1, u"one");
    SetText(0, 2, u"two");

    LVCOLUMNW added{};
    added.mask = LVCF_TEXT;
    added.pszText = const_cast<LPWSTR>(u"Extra");
    EXPECT_EQ(Send(LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&added)), 1);
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 1), 7);  // no width given: the heading and a cell on each side
    EXPECT_EQ(Text(0, 1), u"");
    EXPECT_EQ(Text(0, 2), u"one");

    char16_t heading[16];
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = heading;
    column.cchTextMax = 16;
    ASSERT_TRUE(Send(LVM_GETCOLUMNW, 3, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::u16string(heading), u"State");
    EXPECT_EQ(column.cx, 10);
    EXPECT_FALSE(Send(LVM_GETCOLUMNW, 4, reinterpret_cast<LPARAM>(&column)));

    EXPECT_TRUE(Send(LVM_DELETECOLUMN, 2));
    EXPECT_EQ(Send(LVM_GETCOLUMNCOUNT), 3);
    EXPECT_EQ(Text(0, 2), u"two");
    EXPECT_EQ(Text(0), u"main");
    EXPECT_TRUE(Send(LVM_SETCOLUMNWIDTH, 0, 25));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0), 25);
}

TEST_F(ItemsTest, NextItemFindsRowsByFlagFromAfterTheStart) {
    AddRows(6);
    EXPECT_EQ(Next(-1, LVNI_ALL), 0);
    EXPECT_EQ(Next(4, LVNI_ALL), 5);
    EXPECT_EQ(Next(5, LVNI_ALL), -1);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), -1);

    SetState(1, LVIS_SELECTED, LVIS_SELECTED);
    SetState(4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(Next(1, LVNI_SELECTED), 4);
    EXPECT_EQ(Next(4, LVNI_SELECTED), -1);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 4);
    EXPECT_EQ(Next(4, LVNI_FOCUSED), -1);

    // The bookkeeping follows rows inserted and deleted above the selection.
    Insert(0, u"new");
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 5);
    Send(LVM_DELETEITEM, 2);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 4);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    Send(LVM_DELETEITEM, 4);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), -1);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 0);
}

TEST_F(ItemsTest, CheckBoxesGiveRowsAnUntickedImageUnlessTheirStateSaysOtherwise) {
    Insert(0, u"before");
    SetExStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(Send(LVM_GETEXTENDEDLISTVIEWSTYLE), static_cast<LRESULT>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(State(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

    Insert(1, u"plain");
    LVITEMW ticked{};
    ticked.mask = LVIF_TEXT | LVIF_STATE;
    ticked.iItem = 2;
    ticked.pszText = const_cast<LPWSTR>(u"ticked");
    ticked.state = INDEXTOSTATEIMAGEMASK(2);
    ticked.stateMask = LVIS_STATEIMAGEMASK;
    Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ticked));
    EXPECT_EQ(State(1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(State(2, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

    // The mask names the bits to change; 0 means all of them.
    EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, 0),
              static_cast<LRESULT>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(Send(LVM_GETEXTENDEDLISTVIEWSTYLE), static_cast<LRESULT>(LVS_EX_CHECKBOXES));
}

}  // namespace
