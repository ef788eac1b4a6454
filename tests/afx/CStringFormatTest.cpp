#include "AfxTestSupport.h"

#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

template <typename... Args>
CString Formatted(const char16_t* format, const Args&... args) {
    CString str;
    str.Format(format, args...);
    return str;
}

enum class Status { Ok = 200, NotFound = 404 };

}  // namespace

TEST(CStringFormat, SignedIntegersWithFlagsAndWidth) {
    EXPECT_EQ(Formatted(u"[%d][%5d][%-5d][%05d]", -42, -42, -42, -42), u"[-42][  -42][-42  ][-0042]");
    EXPECT_EQ(Formatted(u"[%+d][% d][%+d][%i]", 7, 7, -7, 0), u"[+7][ 7][-7][0]");
    EXPECT_EQ(Formatted(u"[%.3d][%8.3d][%.0d]", 5, -5, 0), u"[005][    -005][]");
    EXPECT_EQ(Formatted(u"%d %lld", INT_MIN, LLONG_MIN), u"-2147483648 -9223372036854775808");
    EXPECT_EQ(Formatted(u"%ld|%I64d|%d", 123456789012L, std::int64_t{-1}, Status::NotFound), u"123456789012|-1|404");
}

TEST(CStringFormat, UnsignedAndHexUseTheArgumentsOwnWidth) {
    EXPECT_EQ(Formatted(u"%x %X %#x %#X %08X", 255, 255, 255, 255, 0xBEEF), u"ff FF 0xff 0XFF 0000BEEF");
    EXPECT_EQ(Formatted(u"%x %x", -1, -1LL), u"ffffffff ffffffffffffffff");
    EXPECT_EQ(Formatted(u"%u %lu %llu", -1, 4000000000UL, ULLONG_MAX),
              u"4294967295 4000000000 18446744073709551615");
    EXPECT_EQ(Formatted(u"%d %x", static_cast<short>(-2), static_cast<unsigned char>(200)), u"-2 c8");
    EXPECT_EQ(Formatted(u"%#x", 0), u"0");
}

TEST(CStringFormat, StringsIncludingJapanese) {
    const CString title(u"日本語のページ");
    EXPECT_EQ(Formatted(u"%s: %s", u"タイトル", title), u"タイトル: 日本語のページ");
    EXPECT_EQ(Formatted(u"[%10s][%-4s][%.2s]", title, u"あ", title), u"[   日本語のページ][あ   ][日本]");
    EXPECT_EQ(Formatted(u"%s|%s", std::u16string(u"std"), std::u16string_view(u"view")), u"std|view");
    EXPECT_EQ(Formatted(u"<%s>", static_cast<const char16_t*>(nullptr)), u"<(null)>");
    // Precision counts code units but does not split a surrogate pair.
    EXPECT_EQ(Formatted(u"[%.1s][%.2s]", u"\U00020BB7x", u"\U00020BB7x"), u"[][\U00020BB7]");
}

TEST(CStringFormat, CharactersPercentAndStarArguments) {
    EXPECT_EQ(Formatted(u"%c%c%c", u'あ', 'A', 0x1F600), u"あA\U0001F600");
    EXPECT_EQ(Formatted(u"100%% of %d%%", 3), u"100% of 3%");
    EXPECT_EQ(Formatted(u"[%*d][%-*d][%.*s]", 4, 7, 3, 7, 2, u"abc"), u"[   7][7  ][ab]");
    EXPECT_EQ(Formatted(u"[%*d]", -3, 1), u"[1  ]");  // a negative * width means left-justified
}

TEST(CStringFormat, LongResults) {
    const CString thousand(u'x', 1000);
    const CString str = Formatted(u"%s-%d", thousand, 12345);
    ASSERT_EQ(str.GetLength(), 1006);
    EXPECT_EQ(str.Left(1000), thousand);
    EXPECT_EQ(str.Right(6), u"-12345");
    EXPECT_EQ(Formatted(u"%1500d", 9).GetLength(), 1500);
}

TEST(CStringFormat, AppendFormatAndSelfReference) {
    CString str(u"a");
    str.AppendFormat(u"%d", 1);
    str.AppendFormat(u"%s", str);
    EXPECT_EQ(str, u"a1a1");
    str.Format(u"<%s>", str);
    EXPECT_EQ(str, u"<a1a1>");
    str.Format(u"no arguments");
    EXPECT_EQ(str, u"no arguments");
}

TEST(CStringFormat, MalformedFormatsThrowAndLeaveTheStringAlone) {
    CString str(u"kept");
    EXPECT_INVALID_ARG(str.Format(u"%d %d", 1));
    EXPECT_INVALID_ARG(str.Format(u"%s", 5));
    EXPECT_INVALID_ARG(str.Format(u"%d", u"text"));
    EXPECT_INVALID_ARG(str.Format(u"%f", 1));
    EXPECT_INVALID_ARG(str.Format(u"50%"));
    EXPECT_INVALID_ARG(str.Format(u"%99999999999d", 1));
    EXPECT_INVALID_ARG(str.Format(nullptr));
    EXPECT_EQ(str, u"kept");
}
