#include <gtest/gtest.h>

#include "platform/win/TextCells.h"

namespace {

TEST(CharCells, AsciiAndLatinTakeOneCell) {
    EXPECT_EQ(CharCells(U'a'), 1);
    EXPECT_EQ(CharCells(U'~'), 1);
    EXPECT_EQ(CharCells(U'é'), 1);
    EXPECT_EQ(CharCells(U'Ж'), 1);
    EXPECT_EQ(CharCells(U'─'), 1);  // line drawing is ambiguous width: one cell here
}

TEST(CharCells, EastAsianWideAndFullwidthTakeTwo) {
    EXPECT_EQ(CharCells(U'外'), 2);
    EXPECT_EQ(CharCells(U'ー'), 2);
    EXPECT_EQ(CharCells(U'あ'), 2);
    EXPECT_EQ(CharCells(U'한'), 2);
    EXPECT_EQ(CharCells(U'Ａ'), 2);       // fullwidth A
    EXPECT_EQ(CharCells(U'\u3000'), 2);  // ideographic space
    EXPECT_EQ(CharCells(U'\U0001F600'), 2);
    EXPECT_EQ(CharCells(U'\U00020B9F'), 2);  // plane 2 ideograph
    EXPECT_EQ(CharCells(U'ｱ'), 1);           // halfwidth katakana
    EXPECT_EQ(CharCells(U'\u303F'), 1);      // the half fill space is narrow, between two wide runs
}

TEST(CharCells, MarksAndInvisibleFormatCharactersTakeNone) {
    EXPECT_EQ(CharCells(U'\u0301'), 0);  // combining acute
    EXPECT_EQ(CharCells(U'\u3099'), 0);  // combining kana voiced mark
    EXPECT_EQ(CharCells(U'\u200B'), 0);  // zero width space
    EXPECT_EQ(CharCells(U'\u200D'), 0);  // zero width joiner
    EXPECT_EQ(CharCells(U'\uFE0F'), 0);  // variation selector
    EXPECT_EQ(CharCells(U'\uFEFF'), 0);
    EXPECT_EQ(CharCells(U'\u1160'), 0);  // Hangul medial vowel filler
    EXPECT_EQ(CharCells(U'\U000E0041'), 0);  // tag letter
    EXPECT_EQ(CharCells(U'\u00AD'), 1);      // terminals show the soft hyphen
    EXPECT_EQ(CharCells(U'\u0600'), 1);      // Arabic number sign prints
}

TEST(CharCells, ControlCharactersCountOne) {
    EXPECT_EQ(CharCells(U'\0'), 1);
    EXPECT_EQ(CharCells(U'\x1B'), 1);
    EXPECT_EQ(CharCells(U'\x7F'), 1);
    EXPECT_EQ(CharCells(U'\x85'), 1);
}

TEST(TextCells, SumsCodePointsAndCountsLoneSurrogatesAsOne) {
    EXPECT_EQ(TextCells(u""), 0);
    EXPECT_EQ(TextCells(u"外部リンク チェック"), 19);
    EXPECT_EQ(TextCells(u"e\u0301"), 1);
    EXPECT_EQ(TextCells(u"\U0001F600x"), 3);
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ(TextCells(lone), 4);
    const char16_t reversed[] = {0xDC00, 0xD800, 0};
    EXPECT_EQ(TextCells(reversed), 2);
}

}  // namespace
