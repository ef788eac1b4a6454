#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paint/CellGrid.h"
#include "platform/paint/SafeText.h"

namespace {

using paint::CellGrid;
using paint::SafeText;

std::string Line(const CellGrid& grid, int y) { return grid.Lines()[static_cast<std::size_t>(y)]; }

TEST(CellGrid, StartsBlankAndRendersEveryCell) {
    CellGrid grid(3, 2);
    EXPECT_EQ(grid.Lines(), (std::vector<std::string>{"   ", "   "}));
    EXPECT_EQ(grid.Write(1, 1, SafeText(u"ab"), 5), 2);
    EXPECT_EQ(grid.Lines(), (std::vector<std::string>{"   ", " ab"}));
}

TEST(CellGrid, WideCharacterTakesItsCellAndMarksTheNext) {
    CellGrid grid(6, 1);
    EXPECT_EQ(grid.Write(0, 0, SafeText(u"外a部"), 6), 5);
    EXPECT_EQ(Line(grid, 0), "外a部 ");
    EXPECT_FALSE(grid.At(0, 0).continuation);
    EXPECT_TRUE(grid.At(1, 0).continuation);
    EXPECT_TRUE(grid.At(4, 0).continuation);
    EXPECT_EQ(grid.At(2, 0).glyph, U"a");
}

TEST(CellGrid, WideCharacterThatDoesNotFitLeavesASpace) {
    CellGrid grid(8, 1);
    grid.Fill({0, 0, 8, 1}, U'.', 0);
    EXPECT_EQ(grid.Write(0, 0, SafeText(u"ab外部"), 4), 4);
    EXPECT_EQ(Line(grid, 0), "ab外....");
    EXPECT_EQ(grid.Write(0, 0, SafeText(u"a外部"), 4), 4);
    EXPECT_EQ(Line(grid, 0), "a外 ....");
}

TEST(CellGrid, ClipNeverCutsAWideCharacter) {
    CellGrid grid(6, 1);
    grid.Fill({0, 0, 6, 1}, U'.', 0);
    grid.SetClip({1, 0, 4, 1});
    // From x = 0 the first wide character straddles the clip's left edge, the last its right edge.
    grid.Write(0, 0, SafeText(u"外部外"), 6);
    EXPECT_EQ(Line(grid, 0), ". 部 .");
}

TEST(CellGrid, OverwritingHalfAWideCharacterBlanksTheOtherHalf) {
    CellGrid grid(4, 1);
    grid.Write(0, 0, SafeText(u"外部"), 4);
    grid.Put(1, 0, U'x', 0);  // the right half of 外
    EXPECT_EQ(Line(grid, 0), " x部");
    grid.Put(2, 0, U'y', 0);  // the left half of 部
    EXPECT_EQ(Line(grid, 0), " xy ");
    grid.Write(0, 0, SafeText(u"外"), 4);
    grid.Write(1, 0, SafeText(u"部"), 4);
    EXPECT_EQ(Line(grid, 0), " 部 ");
}

TEST(CellGrid, ZeroWidthCharactersCombineWithTheCharacterBefore) {
    CellGrid grid(4, 1);
    EXPECT_EQ(grid.Write(0, 0, SafeText(u"\u0301e\u0301x"), 4), 2);
    EXPECT_EQ(grid.At(0, 0).glyph, U"e\u0301");
    EXPECT_EQ(Line(grid, 0), "e\u0301x  ");
}

TEST(CellGrid, AStackOfMarksIsCapped) {
    CellGrid grid(2, 1);
    grid.Write(0, 0, SafeText(std::u16string(u"a") + std::u16string(100, u'\u0301')), 2);
    EXPECT_EQ(grid.At(0, 0).glyph.size(), 5u);
}

TEST(CellGrid, EscapedControlsReachTheGridAsVisibleText) {
    CellGrid grid(12, 1);
    grid.Write(0, 0, SafeText(u"a\x1B[31m\u202E"), 12);
    EXPECT_EQ(Line(grid, 0), "a^[[31m<U+20");
}

TEST(CellGrid, AttributesStayWithTheirCells) {
    CellGrid grid(4, 1);
    grid.Write(0, 0, SafeText(u"ab", paint::kBold), 4);
    grid.AddAttrs({1, 0, 2, 1}, paint::kReverse);
    EXPECT_EQ(grid.At(0, 0).attrs, paint::kBold);
    EXPECT_EQ(grid.At(1, 0).attrs, paint::kBold | paint::kReverse);
    EXPECT_EQ(grid.At(2, 0).attrs, paint::kReverse);
    EXPECT_EQ(grid.At(3, 0).attrs, 0);
}

TEST(CellGrid, WritesOutsideTheGridAreDropped) {
    CellGrid grid(2, 2);
    EXPECT_EQ(grid.Put(-1, 0, U'x', 0), 0);
    EXPECT_EQ(grid.Put(0, 2, U'x', 0), 0);
    grid.Fill({-5, -5, 100, 100}, U'#', 0);
    EXPECT_EQ(grid.Lines(), (std::vector<std::string>{"##", "##"}));
    grid.Write(1, 0, SafeText(u"外"), 5);
    EXPECT_EQ(Line(grid, 0), "# ");
}

}  // namespace
