#include "AfxTestSupport.h"

#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

TEST(CStringUtf8, RoundTripsJapaneseAndAstralText) {
    const std::string utf8 = "日本語のリンク 𠮷野家 😀";
    const CString str = CString::FromUtf8(utf8);
    EXPECT_EQ(str, u"日本語のリンク 𠮷野家 😀");
    // 𠮷 and 😀 lie outside the BMP: two code units each.
    EXPECT_EQ(str.GetLength(), 15);
    EXPECT_EQ(str.GetAt(8), u'\xD842');
    EXPECT_EQ(str.GetAt(9), u'\xDFB7');
    EXPECT_EQ(str.ToUtf8(), utf8);
}

TEST(CStringUtf8, EveryEncodingLengthAtItsLimits) {
    const std::u16string limits = u"\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF";
    const std::string utf8 = CString(limits).ToUtf8();
    EXPECT_EQ(utf8, "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"
                    "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(CString::FromUtf8(utf8).ToStdString(), limits);
}

TEST(CStringUtf8, InvalidInputBecomesOneReplacementPerMaximalSubpart) {
    // The example of the Unicode Standard's chapter on conformance (U+FFFD substitution).
    EXPECT_EQ(CString::FromUtf8("\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64"),
              u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd");
    EXPECT_EQ(CString::FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                   // overlong
    EXPECT_EQ(CString::FromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");         // overlong
    EXPECT_EQ(CString::FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");         // a surrogate
    EXPECT_EQ(CString::FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(CString::FromUtf8("\xE3\x81" "A"), u"\uFFFDA");                    // cut short, then ASCII
    EXPECT_EQ(CString::FromUtf8("x\xF0\x9F\x98"), u"x\uFFFD");                   // cut short at the end
    EXPECT_EQ(CString::FromUtf8("\xFF\xFE"), u"\uFFFD\uFFFD");
}

TEST(CStringUtf8, LoneSurrogatesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(CString(u"a\xD800z").ToUtf8(), "a" + replacement + "z");
    EXPECT_EQ(CString(u"\xDC00").ToUtf8(), replacement);
    EXPECT_EQ(CString(u"end\xD83D").ToUtf8(), "end" + replacement);
    EXPECT_EQ(CString(u"\xDE00\xD83D").ToUtf8(), replacement + replacement);  // the pair reversed
}

TEST(CStringUtf8, NulPassesThroughBothWays) {
    const CString str = CString::FromUtf8(std::string_view("a\0b", 3));
    EXPECT_EQ(str.GetLength(), 3);
    EXPECT_EQ(str.ToUtf8(), std::string("a\0b", 3));
}
