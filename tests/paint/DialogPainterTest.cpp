#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/paint/CellGrid.h"
#include "platform/paint/DialogPainter.h"
#include "platform/paint/SafeText.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"
#include "platform/win/WindowPaint.h"
#include "tests/paint/PaintTestSupport.h"

namespace {

using paint::CellGrid;
using paint::PaintDialog;
using painttest::Picture;
using painttest::TestDialog;

using Lines = std::vector<std::string>;

// The UTF-8 text of cells x..x+width-1 of row y.
std::string Cells(const CellGrid& grid, int x, int y, int width) {
    CellGrid part(width, 1);
    for (int i = 0; i < width; ++i) {
        const paint::Cell& cell = grid.At(x + i, y);
        if (!cell.continuation)
            part.Write(i, 0, paint::StyledText{{cell.glyph[0], 0}}, width - i);
    }
    return part.Lines()[0];
}

class DialogPainterTest : public ::testing::Test {
protected:
    // The dialog of the first test: every kind of control, wide characters, an escaped control character,
    // a ticked row, a selected row and a disabled button.
    void BuildSampleDialog() {
        dialog_.Add(u"Static", u"名前(&N): a\x1B" u"b", 0, 10, 0, 0, 20, 1);
        edit_ = dialog_.Add(u"Edit", u"abc", WS_BORDER, 11, 0, 1, 20, 1);
        HWND check = dialog_.Add(u"Button", u"&Wrap", BS_AUTOCHECKBOX, 12, 0, 2, 12, 1);
        dialog_.Add(u"Button", u"&One", BS_AUTORADIOBUTTON, 13, 13, 2, 10, 1);
        list_ = dialog_.Add(u"SysListView32", u"", WS_BORDER | LVS_REPORT, 14, 0, 3, 34, 5);
        ok_ = dialog_.Add(u"Button", u"&OK", BS_DEFPUSHBUTTON, IDOK, 0, 8, 8, 1);
        cancel_ = dialog_.Add(u"Button", u"Cancel", BS_PUSHBUTTON, IDCANCEL, 10, 8, 10, 1);
        combo_ = dialog_.Add(u"ComboBox", u"", CBS_DROPDOWNLIST, 15, 22, 0, 12, 4);
        SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
        painttest::AddColumn(list_, u"URL", 20);
        painttest::AddColumn(list_, u"状態", 12);
        painttest::AddRow(list_, {u"http://a/", u"OK"});
        painttest::AddRow(list_, {u"例え.jp", u"404"});
        painttest::Tick(list_, 0, true);
        painttest::SetRowState(list_, 1, LVIS_SELECTED, LVIS_SELECTED);
        painttest::AddItem(combo_, u"One");
        painttest::AddItem(combo_, u"Two");
        painttest::AddItem(combo_, u"Three");
        SendMessageW(combo_, CB_SETCURSEL, 1, 0);
        EnableWindow(cancel_, FALSE);
    }

    TestDialog dialog_{u"外部リンク", 34, 10};
    HWND edit_ = nullptr;
    HWND list_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    HWND combo_ = nullptr;
};

TEST_F(DialogPainterTest, DrawsTheDialogAndItsControls) {
    BuildSampleDialog();
    EXPECT_EQ(Picture(dialog_.Hwnd()), (Lines{
                                           "┌─ 外部リンク ─────────────────────┐",
                                           "│名前(N): a^[b         Two        ▼│",
                                           "│abc                               │",
                                           "│[x] Wrap     ( ) One              │",
                                           "│┌────────────────────────────────┐│",
                                           "││ URL                │状態       ││",
                                           "││[x] http://a/        OK         ││",
                                           "││[ ] 例え.jp          404        ││",
                                           "│└────────────────────────────────┘│",
                                           "│<  OK  >  [ Cancel ]              │",
                                           "│                                  │",
                                           "└──────────────────────────────────┘",
                                       }));
}

TEST_F(DialogPainterTest, AttributesShowMnemonicsDefaultDisabledAndSelection) {
    BuildSampleDialog();
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    // "名前(&N)": the N after two wide characters and the parenthesis, at cell 1 + 4 + 1.
    EXPECT_EQ(grid.At(6, 1).glyph, U"N");
    EXPECT_EQ(grid.At(6, 1).attrs, paint::kUnderline);
    EXPECT_EQ(grid.At(7, 1).attrs, 0);
    // The default button is bold, its mnemonic underlined too; the disabled button is dim throughout.
    EXPECT_EQ(grid.At(4, 9).glyph, U"O");
    EXPECT_EQ(grid.At(4, 9).attrs, paint::kBold | paint::kUnderline);
    EXPECT_EQ(grid.At(1, 9).attrs & paint::kBold, paint::kBold);
    for (int x = 11; x < 21; ++x)
        EXPECT_EQ(grid.At(x, 9).attrs, paint::kDim) << x;
    // The selected row is reversed across the list's client width; the other row is not.
    for (int x = 2; x < 34; ++x) {
        EXPECT_NE(grid.At(x, 7).attrs & paint::kReverse, 0) << x;
        EXPECT_EQ(grid.At(x, 6).attrs & paint::kReverse, 0) << x;
    }
    // The edit box shows its field underlined, the caret only when it has the focus.
    for (int x = 1; x < 21; ++x)
        EXPECT_EQ(grid.At(x, 2).attrs, paint::kUnderline) << x;
}

TEST_F(DialogPainterTest, FocusHighlightsTheControlAndShowsTheEditCaret) {
    BuildSampleDialog();
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 1, 1);
    CellGrid grid = PaintDialog(dialog_.Hwnd());
    EXPECT_EQ(grid.At(2, 2).glyph, U"b");
    EXPECT_NE(grid.At(2, 2).attrs & paint::kReverse, 0);
    EXPECT_EQ(grid.At(1, 2).attrs & paint::kReverse, 0);
    EXPECT_EQ(grid.At(3, 2).attrs & paint::kReverse, 0);

    SendMessageW(edit_, EM_SETSEL, 0, -1);
    grid = PaintDialog(dialog_.Hwnd());
    for (int x = 1; x < 4; ++x)
        EXPECT_NE(grid.At(x, 2).attrs & paint::kReverse, 0) << x;
    EXPECT_EQ(grid.At(4, 2).attrs & paint::kReverse, 0);

    SetFocus(ok_);
    grid = PaintDialog(dialog_.Hwnd());
    EXPECT_EQ(grid.At(2, 2).attrs & paint::kReverse, 0);
    for (int x = 1; x < 9; ++x)
        EXPECT_NE(grid.At(x, 9).attrs & paint::kReverse, 0) << x;
}

TEST_F(DialogPainterTest, DroppedComboListCoversTheControlsBelow) {
    BuildSampleDialog();
    SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
    const Lines lines = Picture(dialog_.Hwnd());
    EXPECT_EQ(lines[1], "│名前(N): a^[b         Two        ▼│");
    EXPECT_EQ(lines[2], "│abc                   │One       ││");
    EXPECT_EQ(lines[3], "│[x] Wrap     ( ) One  │Two       ││");
    EXPECT_EQ(lines[4], "│┌─────────────────────│Three     ││");
    EXPECT_NE(PaintDialog(dialog_.Hwnd()).At(24, 3).attrs & paint::kReverse, 0);
}

TEST_F(DialogPainterTest, LongLabelsAreCutWithoutSplittingAWideCharacter) {
    dialog_.Add(u"Static", u"あいうえお", 0, 1, 0, 0, 5, 1);
    dialog_.Add(u"Static", u"|", 0, 2, 5, 0, 1, 1);
    dialog_.Add(u"Button", u"外部リンクの確認", BS_PUSHBUTTON, 3, 0, 1, 9, 1);
    dialog_.Add(u"Button", u"&Long label", BS_AUTOCHECKBOX, 4, 0, 2, 9, 2);
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    EXPECT_EQ(Cells(grid, 1, 1, 7), "あい | ");
    // Too long for the spaces inside the marks: it goes without them.
    EXPECT_EQ(Cells(grid, 1, 2, 10), "[外部リ ] ");
    // Two rows high: drawn on the first; a label takes the free cells to its right.
    EXPECT_EQ(Cells(grid, 1, 3, 10), "[ ] Long l");
    EXPECT_EQ(Cells(grid, 1, 4, 10), "          ");
}

TEST_F(DialogPainterTest, StaticsShowPrefixSunkenAndGroupBoxes) {
    dialog_.Add(u"Static", u"R&&D & co", 0, 1, 0, 0, 12, 1);
    dialog_.Add(u"Static", u"R&D", SS_NOPREFIX, 2, 14, 0, 6, 1);
    dialog_.Add(u"Static", u"42", SS_SUNKEN, 3, 0, 1, 6, 1);
    dialog_.Add(u"Static", u"boxed", WS_BORDER, 4, 8, 1, 9, 3);
    dialog_.Add(u"Button", u"&Group", BS_GROUPBOX, 5, 0, 4, 16, 4);
    dialog_.Add(u"Button", u"in", BS_AUTORADIOBUTTON, 6, 1, 5, 8, 1);
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    EXPECT_EQ(Cells(grid, 1, 1, 20), "R&D  co       R&D   ");
    EXPECT_EQ(grid.At(5, 1).attrs, paint::kUnderline);  // the space that "&" marks in "& co"
    EXPECT_EQ(grid.At(16, 1).attrs, 0);                 // SS_NOPREFIX: '&' is text
    EXPECT_EQ(Cells(grid, 1, 2, 18), "42      ┌───────┐ ");
    for (int x = 1; x < 7; ++x)
        EXPECT_EQ(grid.At(x, 2).attrs, paint::kUnderline) << x;
    EXPECT_EQ(Cells(grid, 1, 3, 18), "        │boxed  │ ");
    EXPECT_EQ(Cells(grid, 1, 4, 18), "        └───────┘ ");
    EXPECT_EQ(Cells(grid, 1, 5, 17), "┌─ Group ──────┐ ");
    EXPECT_EQ(grid.At(4, 5).attrs, paint::kUnderline);
    EXPECT_EQ(Cells(grid, 1, 6, 17), "│( ) in        │ ");
    EXPECT_EQ(Cells(grid, 1, 7, 17), "│              │ ");
    EXPECT_EQ(Cells(grid, 1, 8, 17), "└──────────────┘ ");
}

TEST_F(DialogPainterTest, EditShowsItsTextFromTheFirstVisibleCharacter) {
    HWND edit = dialog_.Add(u"Edit", u"", WS_BORDER | ES_AUTOHSCROLL, 1, 0, 0, 8, 1);
    SetFocus(edit);
    for (char16_t c : std::u16string(u"http://例え.jp/"))
        SendMessageW(edit, WM_CHAR, c, 0);
    ASSERT_GT(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    // The box keeps a cell for the caret after the last character; a wide character is never cut.
    EXPECT_EQ(Cells(grid, 1, 1, 9), "え.jp/   ");
    EXPECT_NE(grid.At(7, 1).attrs & paint::kReverse, 0);
    EXPECT_EQ(grid.At(6, 1).attrs & paint::kReverse, 0);
    EXPECT_EQ(grid.At(8, 1).attrs & paint::kReverse, 0);
}

TEST_F(DialogPainterTest, EscapedControlCharactersKeepTheCaretInTheField) {
    HWND edit = dialog_.Add(u"Edit", u"", WS_BORDER | ES_AUTOHSCROLL, 1, 0, 0, 6, 1);
    SetFocus(edit);
    for (char16_t c : std::u16string(u"\x01\x02\x03\x04"))
        SendMessageW(edit, WM_CHAR, c, 0);
    SetWindowTextW(edit, u"\x01\x02\x03\x04");
    SendMessageW(edit, EM_SETSEL, 4, 4);
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    // Each escape takes two cells where the box counts one: the painter moves the text on by itself.
    EXPECT_EQ(Cells(grid, 1, 1, 6), "B^C^D ");
    EXPECT_NE(grid.At(6, 1).attrs & paint::kReverse, 0);
}

// Counts the rows the list is asked about while it is painted.
std::set<int>* askedRows = nullptr;
WNDPROC listProcedure = nullptr;

LRESULT CountingList(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == LVM_GETITEMTEXTW || message == LVM_GETITEMSTATE || message == LVM_GETITEMW) &&
        askedRows != nullptr)
        askedRows->insert(static_cast<int>(wParam));
    return CallWindowProcW(listProcedure, hWnd, message, wParam, lParam);
}

TEST_F(DialogPainterTest, ListShowsRowsFromTheTopWithAScrollBarAndAsksOnlyForThem) {
    HWND list = dialog_.Add(u"SysListView32", u"", WS_BORDER | LVS_REPORT, 1, 0, 0, 20, 7);
    painttest::AddColumn(list, u"Row", 10);
    for (int row = 0; row < 1000; ++row)
        painttest::AddRow(list, {u"row " + std::u16string(1, char16_t(u'0' + row % 10))});
    SendMessageW(list, LVM_ENSUREVISIBLE, 500, FALSE);
    const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    ASSERT_EQ(top, 500 - 4 + 1);

    std::set<int> asked;
    askedRows = &asked;
    listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingList)));
    Picture(dialog_.Hwnd());
    askedRows = nullptr;
    EXPECT_EQ(asked, (std::set<int>{497, 498, 499, 500}));
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    EXPECT_EQ(Cells(grid, 2, 2, 10), " Row      ");
    EXPECT_EQ(Cells(grid, 2, 3, 10), " row 7    ");
    EXPECT_EQ(Cells(grid, 2, 6, 10), " row 0    ");
    // The scroll bar on the frame's right edge beside the rows: 497 of 996 rows down puts the thumb on the
    // second of its four cells.
    std::string bar;
    for (int y = 1; y <= 7; ++y)
        bar += Cells(grid, 20, y, 1);
    EXPECT_EQ(bar, "┐│░█░░┘");
}

TEST_F(DialogPainterTest, ListWithRoomForItsRowsHasNoScrollBar) {
    HWND list = dialog_.Add(u"SysListView32", u"", WS_BORDER | LVS_REPORT, 1, 0, 0, 20, 7);
    painttest::AddColumn(list, u"Row", 10);
    painttest::AddRow(list, {u"only"});
    const CellGrid grid = PaintDialog(dialog_.Hwnd());
    for (int y = 2; y <= 6; ++y)
        EXPECT_EQ(Cells(grid, 20, y, 1), "│") << y;
}

TEST_F(DialogPainterTest, PaintingMarksWindowsClean) {
    BuildSampleDialog();
    ASSERT_TRUE(IsWindowDirty(ok_));
    PaintDialog(dialog_.Hwnd());
    EXPECT_FALSE(IsWindowDirty(dialog_.Hwnd()));
    EXPECT_FALSE(IsWindowDirty(ok_));
    SetWindowTextW(ok_, u"Go");
    EXPECT_TRUE(IsWindowDirty(ok_));
}

TEST_F(DialogPainterTest, HiddenControlsAreNotDrawn) {
    HWND button = dialog_.Add(u"Button", u"Hidden", BS_PUSHBUTTON, 1, 0, 0, 10, 1);
    ShowWindow(button, SW_HIDE);
    EXPECT_EQ(Picture(dialog_.Hwnd())[1], "│                                  │");
}

}  // namespace
