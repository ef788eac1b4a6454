#include "platform/afx/CListCtrl.h"
#include "tests/listview/ListViewFixture.h"

#include <string>

using lvtest::ListViewTest;

namespace {

class CListCtrlTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(LVS_SINGLESEL, 60, 12);
        ASSERT_TRUE(m_ctrl.Attach(m_list));
    }

    void TearDown() override {
        m_ctrl.Detach();
        ListViewTest::TearDown();
    }

    CListCtrl m_ctrl;
};

int CompareByData(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }

// Orders rows by their main text, read back through the wrapper passed as the parameter.
int CompareByText(LPARAM a, LPARAM b, LPARAM ctrl) {
    const auto* list = reinterpret_cast<const CListCtrl*>(ctrl);
    return list->GetItemText(static_cast<int>(a), 0).Compare(list->GetItemText(static_cast<int>(b), 0));
}

TEST_F(CListCtrlTest, TheWrapperDrivesTheListThroughItsMessages) {
    EXPECT_TRUE(m_ctrl.IsKindOf(RUNTIME_CLASS(CListCtrl)));
    EXPECT_EQ(m_ctrl.InsertColumn(0, u"Name", LVCFMT_LEFT, 12), 0);
    EXPECT_EQ(m_ctrl.InsertColumn(1, u"URL"), 1);
    EXPECT_EQ(m_ctrl.GetColumnCount(), 2);
    EXPECT_EQ(m_ctrl.GetColumnWidth(0), 12);
    EXPECT_EQ(m_ctrl.GetColumnWidth(1), 5);
    EXPECT_TRUE(m_ctrl.SetColumnWidth(1, 30));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    ASSERT_TRUE(m_ctrl.GetColumn(1, &column));
    EXPECT_EQ(column.cx, 30);

    EXPECT_EQ(m_ctrl.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), 0U);
    EXPECT_EQ(m_ctrl.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));

    EXPECT_EQ(m_ctrl.InsertItem(0, u"zeta"), 0);
    EXPECT_EQ(m_ctrl.InsertItem(1, u"alpha"), 1);
    EXPECT_EQ(m_ctrl.InsertItem(2, u"mid"), 2);
    EXPECT_EQ(m_ctrl.GetItemCount(), 3);
    EXPECT_TRUE(m_ctrl.SetItemText(1, 1, u"http://a/"));
    EXPECT_EQ(m_ctrl.GetItemText(1, 1), CString(u"http://a/"));
    EXPECT_TRUE(m_ctrl.SetItemData(2, 42));
    EXPECT_EQ(m_ctrl.GetItemData(2), 42U);

    EXPECT_EQ(m_ctrl.GetCheck(0), FALSE);
    EXPECT_TRUE(m_ctrl.SetCheck(0));
    EXPECT_EQ(m_ctrl.GetCheck(0), TRUE);
    EXPECT_TRUE(m_ctrl.SetCheck(0, FALSE));
    EXPECT_EQ(m_ctrl.GetCheck(0), FALSE);

    EXPECT_TRUE(m_ctrl.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(m_ctrl.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(m_ctrl.GetSelectedCount(), 1U);
    EXPECT_EQ(m_ctrl.GetNextItem(-1, LVNI_SELECTED), 2);

    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = 42;
    EXPECT_EQ(m_ctrl.FindItem(&find), 2);
    EXPECT_EQ(m_ctrl.FindItem(&find, 2), -1);

    ASSERT_TRUE(m_ctrl.SortItemsEx(&CompareByText, reinterpret_cast<DWORD_PTR>(&m_ctrl)));
    EXPECT_EQ(m_ctrl.GetItemText(0, 0), CString(u"alpha"));
    EXPECT_EQ(m_ctrl.GetItemText(1, 0), CString(u"mid"));
    EXPECT_EQ(m_ctrl.GetNextItem(-1, LVNI_SELECTED), 1);
    ASSERT_TRUE(m_ctrl.SortItems(&CompareByData, 0));
    EXPECT_EQ(m_ctrl.GetItemText(2, 0), CString(u"mid"));

    EXPECT_TRUE(m_ctrl.DeleteItem(0));
    EXPECT_EQ(m_ctrl.GetItemCount(), 2);
    EXPECT_TRUE(m_ctrl.DeleteColumn(1));
    EXPECT_EQ(m_ctrl.GetColumnCount(), 1);
    EXPECT_TRUE(m_ctrl.DeleteAllItems());
    EXPECT_EQ(m_ctrl.GetItemCount(), 0);
}

TEST_F(CListCtrlTest, LongTextsComeBackWhole) {
    m_ctrl.InsertColumn(0, u"URL");
    std::u16string url = u"http://example.test/";
    while (url.size() < 3000)
        url += u"segment/";
    m_ctrl.InsertItem(0, url.c_str());
    EXPECT_EQ(m_ctrl.GetItemText(0, 0).GetLength(), static_cast<int>(url.size()));
    EXPECT_EQ(m_ctrl.GetItemText(0, 0), CString(url));
    EXPECT_EQ(m_ctrl.GetItemText(5, 0), CString());
}

TEST_F(CListCtrlTest, ScrollingAndHitTestingThroughTheWrapper) {
    m_ctrl.InsertColumn(0, u"Name", LVCFMT_LEFT, 20);
    for (int row = 0; row < 40; ++row)
        m_ctrl.InsertItem(row, u"row");
    EXPECT_EQ(m_ctrl.GetCountPerPage(), 9);
    EXPECT_TRUE(m_ctrl.EnsureVisible(30, FALSE));
    EXPECT_EQ(m_ctrl.GetTopIndex(), 22);
    UINT flags = 0;
    EXPECT_EQ(m_ctrl.HitTest(POINT{3, 2}, &flags), 23);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    EXPECT_EQ(m_ctrl.HitTest(POINT{30, 2}, &flags), -1);
    EXPECT_EQ(flags, LVHT_NOWHERE);
}

// The rows keep the strings they are given, sharing their buffers; writing either side leaves the other.
TEST_F(CListCtrlTest, RowsShareTheStringsTheyAreGivenAndNoWriteReachesThem) {
    m_ctrl.InsertColumn(0, u"URL");
    m_ctrl.InsertColumn(1, u"Result");
    CString url(u"http://example.test/a");
    CString result(u"OK");
    ASSERT_EQ(m_ctrl.InsertItem(0, url), 0);
    ASSERT_TRUE(m_ctrl.SetItemText(0, 1, result));
    EXPECT_EQ(m_ctrl.GetItemText(0, 0).GetString(), url.GetString());
    EXPECT_EQ(m_ctrl.GetItemText(0, 1).GetString(), result.GetString());

    url.GetBuffer()[0] = u'H';
    url.ReleaseBuffer();
    result += u"!";
    CString read = m_ctrl.GetItemText(0, 0);
    read.SetAt(0, u'x');
    EXPECT_EQ(m_ctrl.GetItemText(0, 0), CString(u"http://example.test/a"));
    EXPECT_EQ(m_ctrl.GetItemText(0, 1), CString(u"OK"));
}

// The list keeps its texts column by column, a column of few distinct texts as a byte a row until it has
// held too many: each row's text must follow it through sorts, deletions and columns coming and going, and
// stay the very buffer it was given.
TEST_F(CListCtrlTest, EveryRowKeepsItsTextsThroughSortsDeletionsAndColumnChanges) {
    m_ctrl.InsertColumn(0, u"URL");
    m_ctrl.InsertColumn(1, u"Tag");
    m_ctrl.InsertColumn(2, u"Text");
    const CString tags[] = {CString(u"A"), CString(u"IMG")};
    const int rows = 400;  // more distinct texts than a column names with a byte
    auto text = [](const char* what, int row) { return CString::FromUtf8(what + std::to_string(row)); };
    for (int row = 0; row < rows; ++row) {
        ASSERT_EQ(m_ctrl.InsertItem(row, text("http://127.0.0.1/", row)), row);
        m_ctrl.SetItemData(row, static_cast<DWORD_PTR>(rows - row));
        m_ctrl.SetItemText(row, 1, tags[row % 2]);
        m_ctrl.SetItemText(row, 2, text("link ", row));
    }
    auto expect = [&](int at, int row) {
        EXPECT_EQ(m_ctrl.GetItemText(at, 0), text("http://127.0.0.1/", row)) << at;
        EXPECT_EQ(m_ctrl.GetItemText(at, 1).GetString(), tags[row % 2].GetString()) << at;
    };
    ASSERT_TRUE(m_ctrl.SortItems(&CompareByData, 0));  // reverses the rows
    expect(0, rows - 1);
    expect(rows - 1, 0);
    EXPECT_TRUE(m_ctrl.DeleteItem(0));
    expect(0, rows - 2);
    m_ctrl.InsertItem(1, u"inserted");
    EXPECT_EQ(m_ctrl.GetItemText(1, 1), CString());
    expect(2, rows - 3);

    // A column inserted before the tags moves them and the texts one right; deleting it moves them back.
    m_ctrl.InsertColumn(1, u"Result");
    EXPECT_EQ(m_ctrl.GetItemText(0, 1), CString());
    EXPECT_EQ(m_ctrl.GetItemText(0, 2).GetString(), tags[(rows - 2) % 2].GetString());
    EXPECT_EQ(m_ctrl.GetItemText(0, 3), text("link ", rows - 2));
    EXPECT_TRUE(m_ctrl.DeleteColumn(2));
    EXPECT_EQ(m_ctrl.GetItemText(0, 2), text("link ", rows - 2));
    EXPECT_TRUE(m_ctrl.DeleteColumn(1));
    EXPECT_EQ(m_ctrl.GetItemText(0, 0), text("http://127.0.0.1/", rows - 2));
    EXPECT_EQ(m_ctrl.GetItemText(0, 1), text("link ", rows - 2));
}

}  // namespace
