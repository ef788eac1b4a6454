// Input that is empty, broken or misleading: decoding never fails, bad bytes read as U+FFFD, and
// the offset map stays exact through them.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "hostlibs/dom/charset/DecodedPage.h"
#include "hostlibs/dom/charset/EncodeText.h"
#include "tests/dom/charset/TestPages.h"

namespace tarn::charset {
namespace {

using namespace std::string_literals;
using testing::iconvEncode;
using testing::offsetsMatchBruteForce;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string garbage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    return bytes;
}

bool isUtf8(std::string_view text) {
    try {
        iconvEncode(text, "UTF-16LE");
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

TEST(BadInput, EmptyPage) {
    const DecodedPage page = decodePage("");
    EXPECT_EQ(page.encoding, "UTF-8");
    EXPECT_EQ(page.text, "");
    EXPECT_EQ(page.originalOffset(0), 0u);
    EXPECT_EQ(page.lineEnding, LineEnding::LF);
    for (const char* label : {"shift_jis", "iso-2022-jp", "utf-16le", "latin2"}) {
        EXPECT_EQ(decodePage("", {label}).text, "") << label;
        EXPECT_EQ(decodePage("", {label}).originalOffset(0), 0u) << label;
    }
}

TEST(BadInput, BinaryGarbageReadsAsWindows1252AndWritesBackUnchanged) {
    const std::string bytes = garbage(1 << 16, 1);
    const DecodedPage page = decodePage(bytes);
    ASSERT_EQ(page.encoding, "windows-1252");
    EXPECT_TRUE(isUtf8(page.text));
    EXPECT_EQ(page.originalOffset(page.text.size()), bytes.size());
    // Every byte is a character in windows-1252, so nothing is lost on the way back.
    EXPECT_EQ(encodeText(page.text, page.encoding), bytes);
}

class GarbageInEncoding : public ::testing::TestWithParam<const char*> {};

TEST_P(GarbageInEncoding, DecodesWithReplacementsAndMapsExactly) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const DecodedPage page = decodePage(garbage(300, seed), {GetParam(), 64});
        EXPECT_TRUE(isUtf8(page.text));
        EXPECT_NE(page.text.find(kReplacement), std::string::npos);
        EXPECT_TRUE(offsetsMatchBruteForce(page));
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, GarbageInEncoding,
                         ::testing::Values("utf-8", "shift_jis", "euc-jp", "iso-2022-jp", "utf-16le", "utf-16be",
                                           "gbk", "gb18030", "big5", "euc-kr", "windows-1253", "iso-8859-3"));

TEST(BadInput, InvalidUtf8WithoutDeclarationIsWindows1252) {
    const DecodedPage page = decodePage("<p>na\xEFve caf\xC3\xA9 \xC3</p>");
    EXPECT_EQ(page.encoding, "windows-1252");
    EXPECT_EQ(page.text, "<p>naïve cafÃ© Ã</p>");
}

TEST(BadInput, DeclaredUtf8WithBadBytesGetsReplacements) {
    const DecodedPage page = decodePage("<meta charset=utf-8><p>caf\xE9 na\xC3\xAFve \xF0\x9F\x98</p>", {{}, 64});
    EXPECT_EQ(page.encoding, "UTF-8");
    EXPECT_EQ(page.text, "<meta charset=utf-8><p>caf\uFFFD naïve \uFFFD\uFFFD\uFFFD</p>");
    EXPECT_TRUE(offsetsMatchBruteForce(page));
}

// glibc often cannot tell a sequence cut short by the end from an invalid one, so both read as
// U+FFFD for their first byte (or UTF-16 unit), and decoding goes on after it.
TEST(BadInput, SequenceCutShortAtTheEndReadsAsReplacements) {
    struct Cut {
        const char* label;
        std::string bytes;
        std::size_t cutAt;
        std::string text;
    };
    const Cut cuts[] = {
        {"shift_jis", "ok" + iconvEncode("日", "CP932").substr(0, 1), 2, "ok\uFFFD"},
        {"euc-jp", "ok" + iconvEncode("丂", "EUC-JP").substr(0, 2), 2, "ok\uFFFD\uFFFD"},
        {"gb18030", "ok\xA6" "7\n", 2, "ok\uFFFD" "7\n"},
        {"utf-16le", "o\0k\0\x3D"s, 4, "ok\uFFFD"},
        {"utf-16le", "o\0k\0\x3D\xD8"s, 4, "ok\uFFFD"},
        {"iso-2022-jp", "ok\x1B$", 2, "ok\uFFFD$"},
        {"utf-8", "ok\xE6\x97", 2, "ok\uFFFD\uFFFD"},
    };
    for (const Cut& cut : cuts) {
        const DecodedPage page = decodePage(cut.bytes, {cut.label});
        EXPECT_EQ(page.text, cut.text) << cut.label;
        EXPECT_EQ(page.originalOffset(2), cut.cutAt) << cut.label;
        EXPECT_EQ(page.originalOffset(page.text.size()), page.bytes.size()) << cut.label;
    }
}

TEST(BadInput, MetaAfterTheFirst1024BytesIsIgnored) {
    const std::string bytes = "<!--" + std::string(1100, '-') + "-->\n<meta charset=koi8-r><p>\xC1\xC2</p>";
    EXPECT_EQ(decodePage(bytes).encoding, "windows-1252");
    EXPECT_EQ(decodePage("<!--" + std::string(1100, '-') + "--><meta charset=koi8-r>").encoding, "UTF-8");
}

TEST(BadInput, ByteOrderMarkOverridesMeta) {
    const DecodedPage utf8 = decodePage("\xEF\xBB\xBF<meta charset=shift_jis><p>\xE6\x97\xA5</p>");
    EXPECT_EQ(utf8.encoding, "UTF-8");
    EXPECT_EQ(utf8.bomLength, 3u);
    EXPECT_EQ(utf8.text, "<meta charset=shift_jis><p>日</p>");
    EXPECT_EQ(utf8.originalOffset(0), 3u);
    EXPECT_EQ(utf8.originalOffset(utf8.text.size()), utf8.bytes.size());

    const DecodedPage utf16 = decodePage("\xFE\xFF" + iconvEncode("<meta charset=windows-1252>é", "UTF-16BE"));
    EXPECT_EQ(utf16.encoding, "UTF-16BE");
    EXPECT_EQ(utf16.text, "<meta charset=windows-1252>é");
}

}  // namespace
}  // namespace tarn::charset
