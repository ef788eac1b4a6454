#include "tests/listview/ListViewFixture.h"

#include <string>
#include <vector>

using lvtest::ListViewTest;

namespace {

class SortFindTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(0);
        AddColumns({u"Name", u"Key"});
    }

    // Rows a, b, c... with the given item data and the data's digit as the Key column's text.
    void AddKeyedRows(const std::vector<int>& keys) {
        for (std::size_t row = 0; row < keys.size(); ++row) {
            Insert(static_cast<int>(row), std::u16string(1, static_cast<char16_t>(u'a' + row)), keys[row]);
            const std::u16string key(1, static_cast<char16_t>(u'0' + keys[row]));
            LVITEMW item{};
            item.iSubItem = 1;
            item.pszText = const_cast<LPWSTR>(key.c_str());
            Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
        m_notes.clear();
    }

    std::u16string Names() {
        std::u16string names;
        for (int row = 0; row < Send(LVM_GETITEMCOUNT); ++row)
            names += Text(row);
        return names;
    }

    int FindData(LPARAM data, int start = -1) {
        LVFINDINFOW find{};
        find.flags = LVFI_PARAM;
        find.lParam = data;
        return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(static_cast<INT_PTR>(start)),
                                     reinterpret_cast<LPARAM>(&find)));
    }

    int FindText(const char16_t* text, int start = -1) {
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz = text;
        return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(static_cast<INT_PTR>(start)),
                                     reinterpret_cast<LPARAM>(&find)));
    }
};

int CompareData(LPARAM a, LPARAM b, LPARAM descending) {
    const int order = a < b ? -1 : (a > b ? 1 : 0);
    return descending != 0 ? -order : order;
}

// Compares rows by the Key column, asking the list (passed as the parameter) for the texts by index.
int CompareKeyText(LPARAM a, LPARAM b, LPARAM list) {
    const auto text = [list](LPARAM row) {
        char16_t buffer[8]{};
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = buffer;
        item.cchTextMax = 8;
        SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return std::u16string(buffer);
    };
    return text(a).compare(text(b));
}

TEST_F(SortFindTest, SortingByItemDataKeepsEqualRowsInTheirOrder) {
    AddKeyedRows({3, 1, 3, 2, 1, 2, 3});
    ASSERT_TRUE(Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareData)));
    EXPECT_EQ(Names(), u"bedfacg");
    ASSERT_TRUE(Send(LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(&CompareData)));
    EXPECT_EQ(Names(), u"acgdfbe");
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(SortFindTest, SortingByIndexLetsTheComparisonReadTheRowsAsTheyWere) {
    AddKeyedRows({2, 1, 2, 1, 0});
    ASSERT_TRUE(Send(LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(m_list), reinterpret_cast<LPARAM>(&CompareKeyText)));
    EXPECT_EQ(Names(), u"ebdac");
    EXPECT_EQ(Text(0, 1), u"0");
    EXPECT_EQ(Text(4, 1), u"2");
}

TEST_F(SortFindTest, SelectionAndFocusFollowTheirRows) {
    AddKeyedRows({3, 1, 2});
    SetState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetState(2, LVIS_SELECTED, LVIS_SELECTED);
    Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareData));
    EXPECT_EQ(Names(), u"bca");
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(Next(1, LVNI_SELECTED), 2);
    EXPECT_EQ(FindData(3), 2);
}

TEST_F(SortFindTest, FindingByItemDataFollowsEveryChangeOfTheRows) {
    AddRows(50);
    EXPECT_EQ(FindData(1020), 20);
    EXPECT_EQ(FindData(1020, 20), -1);
    EXPECT_EQ(FindData(7), -1);

    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = 30;
    item.lParam = 1020;
    Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(FindData(1020, 20), 30);
    EXPECT_EQ(FindData(1030), -1);

    Insert(0, u"top", 1049);
    EXPECT_EQ(FindData(1049), 0);
    EXPECT_EQ(FindData(1049, 0), 50);
    EXPECT_EQ(FindData(1020), 21);
    Insert(51, u"end", 5);
    EXPECT_EQ(FindData(5), 51);
    Send(LVM_DELETEITEM, 51);
    EXPECT_EQ(FindData(5), -1);
    Send(LVM_DELETEITEM, 0);
    EXPECT_EQ(FindData(1020), 20);
    EXPECT_EQ(FindData(1049), 49);
    Send(LVM_DELETEALLITEMS);
    EXPECT_EQ(FindData(1020), -1);
}

TEST_F(SortFindTest, FindingByTextIsExactButIgnoresAsciiCase) {
    Insert(0, u"Alpha");
    Insert(1, u"alphabet");
    Insert(2, u"ALPHA");
    Insert(3, u"\u00C9t\u00E9");
    EXPECT_EQ(FindText(u"alpha"), 0);
    EXPECT_EQ(FindText(u"alpha", 0), 2);
    EXPECT_EQ(FindText(u"alpha", 2), -1);
    EXPECT_EQ(FindText(u"alphab"), -1);
    EXPECT_EQ(FindText(u"\u00E9t\u00E9"), -1);  // only ASCII letters fold
    EXPECT_EQ(FindText(u"\u00C9T\u00E9"), 3);
}

}  // namespace
