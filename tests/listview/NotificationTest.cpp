#include "tests/listview/ListViewFixture.h"

using lvtest::ListViewTest;
using lvtest::Note;

namespace {

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;

class NotificationTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(0);
        AddColumns({u"Name", u"URL"});
        AddRows(5);
    }
};

void ExpectChange(const Note& note, UINT code, int item, UINT changed, UINT oldState, UINT newState) {
    EXPECT_EQ(note.code, code);
    EXPECT_EQ(note.item, item);
    EXPECT_EQ(note.changed, changed);
    EXPECT_EQ(note.oldState, oldState);
    EXPECT_EQ(note.newState, newState);
}

TEST_F(NotificationTest, AStateChangeIsAskedForThenAnnouncedWithTheRowsData) {
    SetState(2, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(m_notes.size(), 2U);
    ExpectChange(m_notes[0], LVN_ITEMCHANGING, 2, LVIF_STATE, 0, LVIS_SELECTED);
    ExpectChange(m_notes[1], LVN_ITEMCHANGED, 2, LVIF_STATE, 0, LVIS_SELECTED);
    EXPECT_EQ(m_notes[0].data, 1002);
    EXPECT_EQ(m_notes[1].data, 1002);

    m_notes.clear();
    SetState(2, LVIS_SELECTED, LVIS_SELECTED);  // nothing changes, nothing is said
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(NotificationTest, DataAndMainTextChangesAreNotifiedButSubItemTextsAndInsertsAreNot) {
    LVITEMW item{};
    item.mask = LVIF_PARAM | LVIF_TEXT;
    item.iItem = 1;
    item.lParam = 55;
    item.pszText = const_cast<LPWSTR>(u"renamed");
    ASSERT_TRUE(Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    ASSERT_EQ(m_notes.size(), 2U);
    ExpectChange(m_notes[0], LVN_ITEMCHANGING, 1, LVIF_PARAM | LVIF_TEXT, 0, 0);
    EXPECT_EQ(m_notes[0].data, 1001);  // asked with the data it has
    EXPECT_EQ(m_notes[1].data, 55);    // told with the data it got

    m_notes.clear();
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<LPWSTR>(u"http://x/");
    Send(LVM_SETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&sub));
    sub.iSubItem = 0;
    sub.pszText = const_cast<LPWSTR>(u"renamed");  // the same text: no change
    Send(LVM_SETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&sub));
    EXPECT_TRUE(m_notes.empty());

    LVITEMW inserted{};
    inserted.mask = LVIF_STATE | LVIF_PARAM;
    inserted.iItem = 2;
    inserted.lParam = 9;
    inserted.state = LVIS_SELECTED;
    inserted.stateMask = LVIS_SELECTED;
    Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&inserted));
    ASSERT_EQ(m_notes.size(), 1U);
    EXPECT_EQ(m_notes[0].code, LVN_INSERTITEM);
    EXPECT_EQ(m_notes[0].item, 2);
    EXPECT_EQ(m_notes[0].data, 9);
}

TEST_F(NotificationTest, AVetoLeavesTheRowAsItWas) {
    m_answer = [](const NMHDR& header) -> LRESULT { return header.code == LVN_ITEMCHANGING; };
    SetState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(State(3), 0U);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_ITEMCHANGING});

    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = 3;
    item.lParam = 1;
    EXPECT_FALSE(Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.lParam = 0;
    Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, 1003);
}

TEST_F(NotificationTest, FocusMovesFromTheOldRowWhichHearsOfItFirst) {
    SetState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    m_notes.clear();
    SetState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    ASSERT_EQ(m_notes.size(), 4U);
    ExpectChange(m_notes[0], LVN_ITEMCHANGING, 1, LVIF_STATE, LVIS_FOCUSED, 0);
    ExpectChange(m_notes[1], LVN_ITEMCHANGED, 1, LVIF_STATE, LVIS_FOCUSED, 0);
    ExpectChange(m_notes[2], LVN_ITEMCHANGING, 3, LVIF_STATE, 0, LVIS_FOCUSED);
    ExpectChange(m_notes[3], LVN_ITEMCHANGED, 3, LVIF_STATE, 0, LVIS_FOCUSED);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 3);
}

TEST_F(NotificationTest, EveryRowAtOnceGetsItsOwnPair) {
    SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 5);
    ASSERT_EQ(m_notes.size(), 10U);
    for (int row = 0; row < 5; ++row) {
        ExpectChange(m_notes[2 * row], LVN_ITEMCHANGING, row, LVIF_STATE, 0, LVIS_SELECTED);
        ExpectChange(m_notes[2 * row + 1], LVN_ITEMCHANGED, row, LVIF_STATE, 0, LVIS_SELECTED);
    }
    m_notes.clear();
    m_answer = [this](const NMHDR& header) -> LRESULT {
        return header.code == LVN_ITEMCHANGING && reinterpret_cast<const NMLISTVIEW&>(header).iItem == 2;
    };
    SetState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(NotesOf(LVN_ITEMCHANGED).size(), 4U);
}

class SingleSelectionTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        AddColumns({u"Name"});
        AddRows(5);
    }
};

TEST_F(SingleSelectionTest, SelectingARowFirstTakesTheSelectionFromTheOldOne) {
    SetState(1, kSelFocus, kSelFocus);
    m_notes.clear();
    SetState(3, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(m_notes.size(), 4U);
    // A program's selection takes only the selection; the focus stays where it was.
    ExpectChange(m_notes[0], LVN_ITEMCHANGING, 1, LVIF_STATE, kSelFocus, LVIS_FOCUSED);
    ExpectChange(m_notes[1], LVN_ITEMCHANGED, 1, LVIF_STATE, kSelFocus, LVIS_FOCUSED);
    ExpectChange(m_notes[2], LVN_ITEMCHANGING, 3, LVIF_STATE, 0, LVIS_SELECTED);
    ExpectChange(m_notes[3], LVN_ITEMCHANGED, 3, LVIF_STATE, 0, LVIS_SELECTED);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 1);

    // Nor can every row be selected at once.
    SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
}

TEST_F(SingleSelectionTest, WhenTheOldRowKeepsItsSelectionTheNewOneDoesNotGetIt) {
    SetState(1, LVIS_SELECTED, LVIS_SELECTED);
    m_answer = [](const NMHDR& header) -> LRESULT {
        const auto& note = reinterpret_cast<const NMLISTVIEW&>(header);
        return header.code == LVN_ITEMCHANGING && note.iItem == 1;
    };
    SetState(3, kSelFocus, kSelFocus);
    EXPECT_EQ(State(1), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(State(3), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
}

TEST_F(SingleSelectionTest, ARowInsertedSelectedTakesTheSelectionQuietly) {
    SetState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_notes.clear();
    LVITEMW item{};
    item.mask = LVIF_STATE;
    item.iItem = 5;
    item.state = kSelFocus;
    item.stateMask = kSelFocus;
    ASSERT_EQ(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 5);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_INSERTITEM});
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(Next(-1, LVNI_SELECTED), 5);
}

class DeleteAllTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(0);
        AddColumns({u"Name"});
        AddRows(3);
    }
};

TEST_F(DeleteAllTest, TheParentHearsOfAllThenOfEachRow) {
    ASSERT_TRUE(Send(LVM_DELETEALLITEMS));
    ASSERT_EQ(m_notes.size(), 4U);
    EXPECT_EQ(m_notes[0].code, LVN_DELETEALLITEMS);
    EXPECT_EQ(m_notes[0].item, -1);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(m_notes[1 + row].code, LVN_DELETEITEM);
        EXPECT_EQ(m_notes[1 + row].item, row);
        EXPECT_EQ(m_notes[1 + row].data, 1000 + row);
    }
    EXPECT_EQ(Send(LVM_GETITEMCOUNT), 0);
    m_notes.clear();
    Send(LVM_DELETEALLITEMS);
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(DeleteAllTest, DeletingOneRowTellsTheParentWhichWhileItIsStillThere) {
    m_answer = [this](const NMHDR& header) -> LRESULT {
        if (header.code == LVN_DELETEITEM) {
            EXPECT_EQ(Send(LVM_GETITEMCOUNT), 3);
        }
        return 0;
    };
    ASSERT_TRUE(Send(LVM_DELETEITEM, 1));
    ASSERT_EQ(Codes(), std::vector<UINT>{LVN_DELETEITEM});
    EXPECT_EQ(m_notes[0].item, 1);
    EXPECT_EQ(m_notes[0].data, 1001);
    EXPECT_EQ(Text(1), u"row 2");
}

TEST_F(DeleteAllTest, ANonzeroAnswerSparesTheRowByRowNotifications) {
    m_answer = [](const NMHDR& header) -> LRESULT { return header.code == LVN_DELETEALLITEMS; };
    Send(LVM_DELETEALLITEMS);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_DELETEALLITEMS});
    EXPECT_EQ(Send(LVM_GETITEMCOUNT), 0);
}

TEST_F(DeleteAllTest, DestroyingTheListLetsTheParentFreeEachRowsData) {
    DestroyWindow(m_list);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM, LVN_DELETEITEM}));
}

TEST_F(DeleteAllTest, TheParentMayDestroyTheListFromANotification) {
    m_answer = [this](const NMHDR& header) -> LRESULT {
        if (header.code == LVN_ITEMCHANGING)
            DestroyWindow(m_list);
        return 0;
    };
    SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(IsWindow(m_list));
}

TEST_F(DeleteAllTest, TheParentMayDestroyTheListWhenTheUserActs) {
    m_answer = [this](const NMHDR& header) -> LRESULT {
        if (header.code == LVN_KEYDOWN || header.code == NM_CLICK)
            DestroyWindow(m_list);
        return 0;
    };
    Send(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(IsWindow(m_list));
    EXPECT_EQ(NotesOf(LVN_ITEMCHANGING).size(), 0U);

    CreateList(0);
    AddColumns({u"Name"});
    AddRows(3);
    Click(2, 1);
    EXPECT_FALSE(IsWindow(m_list));
}

}  // namespace
