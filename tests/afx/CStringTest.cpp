#include "AfxTestSupport.h"

#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>

TEST(CString, Construction) {
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char16_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(u'-', 3), CString(u"---"));
    EXPECT_TRUE(CString(u'-', -1).IsEmpty());
    EXPECT_EQ(CString(u"abcdef", 3), CString(u"abc"));
    EXPECT_INVALID_ARG(CString(static_cast<const char16_t*>(nullptr), 2));

    CString moved(CString(u"text"));
    CString copy = moved;
    copy.SetAt(0, u'n');
    EXPECT_EQ(moved, u"text");
    EXPECT_EQ(copy, u"next");
}

TEST(CString, EmbeddedNulKeepsTheFullLength) {
    const CString str(std::u16string(u"a\0b", 3));
    EXPECT_EQ(str.GetLength(), 3);
    EXPECT_EQ(str.GetAt(2), u'b');
    EXPECT_EQ(str.ToStdString(), std::u16string(u"a\0b", 3));
    // CStrings compare every unit; a C string stops at the U+0000.
    EXPECT_NE(str, CString(u"a"));
    EXPECT_EQ(std::u16string(str.GetString()), u"a");
    EXPECT_EQ((str + str).GetLength(), 6);
}

TEST(CString, CharacterAccessBounds) {
    CString str(u"abc");
    EXPECT_EQ(str[2], u'c');
    EXPECT_EQ(str[std::size_t{0}], u'a');
    EXPECT_EQ(str.GetAt(3), u'\0');  // the terminator may be read
    EXPECT_INVALID_ARG(str.GetAt(4));
    EXPECT_INVALID_ARG(str.GetAt(-1));
    EXPECT_INVALID_ARG(str[std::numeric_limits<std::size_t>::max()]);
    EXPECT_INVALID_ARG(str.SetAt(3, u'x'));
    str.SetAt(1, u'B');
    EXPECT_EQ(str, u"aBc");
}

TEST(CString, OrdinalComparison) {
    const CString lower(u"apple");
    EXPECT_LT(CString(u"Zebra"), lower);  // by code unit: uppercase sorts first
    EXPECT_GT(lower, u"app");
    EXPECT_LT(u"app", lower);
    EXPECT_TRUE(lower == u"apple");
    EXPECT_TRUE(u"apple" == lower);
    EXPECT_TRUE(lower != u"Apple");
    EXPECT_LE(lower, CString(u"apple"));
    EXPECT_EQ(lower.Compare(u"apples"), -1);
    EXPECT_EQ(lower.Compare(nullptr), 1);
    EXPECT_EQ(CString().Compare(nullptr), 0);
    // A surrogate pair sorts below U+E000..U+FFFF: the order is by UTF-16 unit, not by code point.
    EXPECT_LT(CString(u"\U0001F600"), CString(u"\uFF21"));
}

TEST(CString, CompareNoCaseFoldsAsciiOnly) {
    EXPECT_EQ(CString(u"HREF").CompareNoCase(u"href"), 0);
    EXPECT_EQ(CString(u"JavaScript:").CompareNoCase(CString(u"javascript:")), 0);
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    EXPECT_GT(CString(u"abcd").CompareNoCase(u"ABC"), 0);
    // Letters outside ASCII keep their case: Latin, Greek and full-width forms.
    EXPECT_NE(CString(u"\u00C4").CompareNoCase(u"\u00E4"), 0);
    EXPECT_NE(CString(u"\u03A3").CompareNoCase(u"\u03C3"), 0);
    EXPECT_NE(CString(u"\uFF28\uFF34\uFF34\uFF30").CompareNoCase(u"\uFF48\uFF54\uFF54\uFF50"), 0);
    // The letters of the Kelvin sign and the dotted capital I do not fold onto ASCII k and i.
    EXPECT_NE(CString(u"\u212A").CompareNoCase(u"k"), 0);
    EXPECT_NE(CString(u"\u0130").CompareNoCase(u"i"), 0);
}

TEST(CString, Concatenation) {
    CString str = u"<" + CString(u"a") + u'>';
    str += u"text";
    str += u'!';
    str += CString(u"</a>");
    EXPECT_EQ(str, u"<a>text!</a>");
    EXPECT_EQ(u'[' + CString(u"x") + u"]", CString(u"[x]"));
    str = u'z';
    EXPECT_EQ(str, u"z");
}

TEST(CString, SubstringsClampTheirBounds) {
    const CString str(u"0123456789");
    EXPECT_EQ(str.Mid(3, 4), u"3456");
    EXPECT_EQ(str.Mid(8, 100), u"89");
    EXPECT_EQ(str.Mid(-5, 2), u"01");
    EXPECT_EQ(str.Mid(10), u"");
    EXPECT_EQ(str.Mid(11), u"");
    EXPECT_EQ(str.Mid(2, -1), u"");
    EXPECT_EQ(str.Mid(3, std::numeric_limits<int>::max()), u"3456789");
    EXPECT_EQ(str.Left(3), u"012");
    EXPECT_EQ(str.Left(-1), u"");
    EXPECT_EQ(str.Left(50), str);
    EXPECT_EQ(str.Right(2), u"89");
    EXPECT_EQ(str.Right(50), str);
    EXPECT_EQ(str.Right(-2), u"");
}

TEST(CString, FindBounds) {
    const CString str(u"a=b&c=d");
    EXPECT_EQ(str.Find(u'='), 1);
    EXPECT_EQ(str.Find(u'=', 2), 5);
    EXPECT_EQ(str.Find(u'=', 6), -1);
    EXPECT_EQ(str.Find(u'a', 7), -1);
    EXPECT_EQ(str.Find(u'a', -1), -1);
    EXPECT_EQ(str.Find(u"c=d"), 4);
    EXPECT_EQ(str.Find(u"c=d", 5), -1);
    EXPECT_EQ(str.Find(u"", 7), 7);
    EXPECT_EQ(str.Find(u"", 8), -1);
    EXPECT_EQ(str.Find(nullptr), -1);
    EXPECT_EQ(str.ReverseFind(u'='), 5);
    EXPECT_EQ(str.ReverseFind(u'#'), -1);
}

TEST(CString, Replace) {
    CString str(u"a&amp;b&amp;c");
    EXPECT_EQ(str.Replace(u"&amp;", u"&"), 2);
    EXPECT_EQ(str, u"a&b&c");
    EXPECT_EQ(str.Replace(u'&', u'+'), 2);
    EXPECT_EQ(str, u"a+b+c");
    EXPECT_EQ(str.Replace(u"+", nullptr), 2);
    EXPECT_EQ(str, u"abc");
    EXPECT_EQ(str.Replace(u"", u"x"), 0);

    CString runs(u"aaaaa");
    EXPECT_EQ(runs.Replace(u"aa", u"a"), 2);  // left to right, without overlap
    EXPECT_EQ(runs, u"aaa");
}

TEST(CString, TrimUsesHtmlWhitespace) {
    CString str(u" \t\r\n\f value \n");
    EXPECT_EQ(str.Trim(), u"value");
    CString vertical(u"\v x \u00A0");
    EXPECT_EQ(vertical.Trim(), u"\v x \u00A0");  // neither VT nor NBSP is ASCII white space in HTML

    CString quoted(u"\"'x'\"");
    EXPECT_EQ(CString(quoted).TrimLeft(u'"'), u"'x'\"");
    EXPECT_EQ(CString(quoted).TrimRight(u"'\""), u"\"'x");
    EXPECT_EQ(quoted.Trim(u"\"'"), u"x");
    CString all(u"   ");
    EXPECT_TRUE(all.TrimRight().IsEmpty());
}

TEST(CString, CaseMappingIsAscii) {
    CString str(u"Stra\u00DFe \u00E9 Mixed");
    EXPECT_EQ(CString(str).MakeUpper(), u"STRA\u00DFE \u00E9 MIXED");
    EXPECT_EQ(str.MakeLower(), u"stra\u00DFe \u00E9 mixed");
}
