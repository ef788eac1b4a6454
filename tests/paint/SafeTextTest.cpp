#include <gtest/gtest.h>

#include <string>

#include "platform/paint/SafeText.h"

namespace {

using paint::Glyph;
using paint::Label;
using paint::SafeText;
using paint::StyledText;

std::u32string Chars(const StyledText& text) {
    std::u32string chars;
    for (const Glyph& glyph : text)
        chars += glyph.c;
    return chars;
}

// The underlined characters, in order.
std::u32string Underlined(const StyledText& text) {
    std::u32string chars;
    for (const Glyph& glyph : text)
        if ((glyph.attrs & paint::kUnderline) != 0)
            chars += glyph.c;
    return chars;
}

TEST(SafeText, PrintableTextIsShownAsIs) {
    EXPECT_EQ(Chars(SafeText(u"http://例え.jp/a?b=c&d")), U"http://例え.jp/a?b=c&d");
    EXPECT_EQ(Chars(SafeText(u"e\u0301\u200D\U0001F600")), U"e\u0301\u200D\U0001F600");
}

TEST(SafeText, C0ControlsAndDeleteUseCaretNotation) {
    EXPECT_EQ(Chars(SafeText(u"a\x1B[2Jb")), U"a^[[2Jb");
    EXPECT_EQ(Chars(SafeText(std::u16string(u"\0\t\n\r\x1F\x7F", 6))), U"^@^I^J^M^_^?");
}

TEST(SafeText, C1BidiAndSeparatorsUseCodePointNotation) {
    EXPECT_EQ(Chars(SafeText(u"a\u0085b\u009B")), U"a<U+0085>b<U+009B>");
    EXPECT_EQ(Chars(SafeText(u"\u202Eevil\u202C")), U"<U+202E>evil<U+202C>");
    EXPECT_EQ(Chars(SafeText(u"\u2066\u2069\u200E\u200F\u061C")), U"<U+2066><U+2069><U+200E><U+200F><U+061C>");
    EXPECT_EQ(Chars(SafeText(u"\u2028\u2029")), U"<U+2028><U+2029>");
}

TEST(SafeText, LoneSurrogatesAndNoncharactersBecomeReplacementCharacters) {
    const char16_t text[] = {u'a', 0xD83D, u'b', 0xDE00, 0xFFFE, 0xFDD0, 0xD83F, 0xDFFF, 0};  // last: U+1FFFF
    EXPECT_EQ(Chars(SafeText(text)), U"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(SafeText, EscapesKeepTheGivenAttributes) {
    for (const Glyph& glyph : SafeText(u"\x01\u0085", paint::kBold))
        EXPECT_EQ(glyph.attrs, paint::kBold);
}

// The edit box's painter appends a long line a character at a time: the line must grow as a vector
// grows, not be copied whole for every character.
TEST(SafeText, AppendingACharacterAtATimeGrowsGeometrically) {
    StyledText line;
    int moves = 0;
    for (int i = 0; i < 32767; ++i) {
        const Glyph* before = line.data();
        paint::AppendSafe(line, u"a", 0);
        moves += line.data() != before ? 1 : 0;
    }
    EXPECT_LE(moves, 20);
}

TEST(Label, AmpersandUnderlinesTheMnemonic) {
    const StyledText label = Label(u"&Check && go", 0, true);
    EXPECT_EQ(Chars(label), U"Check & go");
    EXPECT_EQ(Underlined(label), U"C");
    EXPECT_EQ(Chars(Label(u"End&", 0, true)), U"End");
    EXPECT_EQ(Underlined(Label(u"&外部", 0, true)), U"外");
    EXPECT_EQ(Underlined(Label(u"a&\U0001F600", 0, true)), U"\U0001F600");
}

TEST(Label, WithoutPrefixAmpersandIsText) {
    const StyledText label = Label(u"R&D &&", 0, false);
    EXPECT_EQ(Chars(label), U"R&D &&");
    EXPECT_TRUE(Underlined(label).empty());
}

TEST(Label, AnEscapedMnemonicIsUnderlinedWhole) {
    EXPECT_EQ(Underlined(Label(u"&\x1B", 0, true)), U"^[");
}

}  // namespace
