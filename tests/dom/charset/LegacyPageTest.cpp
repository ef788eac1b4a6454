// Pages in each supported legacy encoding, made from UTF-8 with glibc: decoded text, the offset
// map against brute force at every character boundary, and the way back with encodeText.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hostlibs/dom/charset/DecodedPage.h"
#include "hostlibs/dom/charset/EncodeText.h"
#include "tests/dom/charset/TestPages.h"

namespace tarn::charset {
namespace {

using testing::bruteForceOffsets;
using testing::characterBoundaries;
using testing::iconvEncode;
using testing::offsetsMatchBruteForce;

// Checkpoints this close together put several in every test page.
constexpr DecodeOptions kDenseCheckpoints{{}, 64};

struct LegacyPage {
    const char* testName;
    const char* iconvName;    // glibc's name, for making the bytes
    const char* label;        // what the page's <meta> declares
    const char* encoding;     // what decodePage must report
    const char* body;         // text in the encoding
};

void PrintTo(const LegacyPage& page, std::ostream* os) { *os << page.testName; }

std::string pageText(const LegacyPage& p) {
    std::string text = "<!DOCTYPE html>\n<html><head><meta charset=\"" + std::string(p.label) +
                       "\">\n<title>" + p.body + "</title></head>\n<body>\n";
    for (int i = 0; i < 8; ++i) text += "<p><a href=\"/page?q=" + std::string(p.body) + "\">" + p.body + "</a></p>\n";
    return text + "</body></html>\n";
}

class LegacyPageTest : public ::testing::TestWithParam<LegacyPage> {};

TEST_P(LegacyPageTest, DecodesMapsAndEncodesBack) {
    const LegacyPage& p = GetParam();
    const std::string text = pageText(p);
    const std::string bytes = iconvEncode(text, p.iconvName);
    const DecodedPage page = decodePage(bytes, kDenseCheckpoints);

    EXPECT_EQ(page.encoding, p.encoding);
    EXPECT_EQ(page.bomLength, 0u);
    ASSERT_EQ(page.text, text);
    EXPECT_GT(page.offsets.checkpointCount(), 3u);

    EXPECT_TRUE(offsetsMatchBruteForce(page));
    EXPECT_EQ(encodeText(page.text, page.encoding), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, LegacyPageTest,
    ::testing::Values(
        LegacyPage{"ShiftJis", "CP932", "shift_jis", "Shift_JIS", "日本語のテキスト、ｶﾀｶﾅ、①②、A\\B～￥"},
        LegacyPage{"EucJp", "EUC-JP", "euc-jp", "EUC-JP", "日本語 ｶﾀｶﾅ 丂 テスト"},
        LegacyPage{"Iso2022Jp", "ISO-2022-JP", "iso-2022-jp", "ISO-2022-JP", "日本語のテキストとASCIIの混在です"},
        LegacyPage{"Iso8859_2", "ISO-8859-2", "latin2", "ISO-8859-2", "Zażółć gęślą jaźń ŁÓDŹ"},
        LegacyPage{"Windows1252", "CP1252", "iso-8859-1", "windows-1252", "café – “quoted” € œ Ÿ"},
        LegacyPage{"Windows1255", "CP1255", "windows-1255", "windows-1255", "שָׁלוֹם עולם"},
        LegacyPage{"Koi8U", "KOI8-RU", "koi8-u", "KOI8-U", "Українська мова ґ ў"},
        LegacyPage{"Macintosh", "MACINTOSH", "mac", "macintosh", "café ñ ü © ∑"},
        LegacyPage{"Gbk", "GBK", "gb2312", "GBK", "中文网页 链接"},
        LegacyPage{"Gb18030", "GB18030", "gb18030", "gb18030", "中文 😀 ḿ"},
        LegacyPage{"Big5", "BIG5-HKSCS", "big5", "Big5", "繁體中文網頁"},
        LegacyPage{"EucKr", "CP949", "euc-kr", "EUC-KR", "한국어 웹페이지 똠방각하"}),
    [](const ::testing::TestParamInfo<LegacyPage>& info) { return std::string(info.param.testName); });

// UTF-16 pages usually carry a byte order mark, which decides the encoding and stays out of the text.
struct Utf16Page {
    const char* testName;
    const char* iconvName;
    const char* bom;
    const char* encoding;
};

void PrintTo(const Utf16Page& page, std::ostream* os) { *os << page.testName; }

class Utf16PageTest : public ::testing::TestWithParam<Utf16Page> {};

TEST_P(Utf16PageTest, DecodesMapsAndEncodesBack) {
    const Utf16Page& p = GetParam();
    std::string text = "<!DOCTYPE html>\n<title>Grüße</title>\n";
    for (int i = 0; i < 6; ++i) text += "<p>日本 😀 <a href=\"/x\">link</a></p>\n";
    const std::string body = iconvEncode(text, p.iconvName);
    const DecodedPage page = decodePage(p.bom + body, kDenseCheckpoints);

    EXPECT_EQ(page.encoding, p.encoding);
    EXPECT_EQ(page.bomLength, 2u);
    ASSERT_EQ(page.text, text);
    EXPECT_EQ(page.originalOffset(0), 2u);
    EXPECT_TRUE(offsetsMatchBruteForce(page));
    EXPECT_EQ(encodeText(page.text, page.encoding), body);

    // Without the mark, its pattern of zero bytes tells the same; the text then starts at the first byte.
    const DecodedPage unmarked = decodePage(body, kDenseCheckpoints);
    EXPECT_EQ(unmarked.encoding, p.encoding);
    EXPECT_EQ(unmarked.bomLength, 0u);
    EXPECT_EQ(unmarked.text, text);
    EXPECT_TRUE(offsetsMatchBruteForce(unmarked));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Utf16PageTest,
                         ::testing::Values(Utf16Page{"LittleEndian", "UTF-16LE", "\xFF\xFE", "UTF-16LE"},
                                           Utf16Page{"BigEndian", "UTF-16BE", "\xFE\xFF", "UTF-16BE"}),
                         [](const ::testing::TestParamInfo<Utf16Page>& info) {
                             return std::string(info.param.testName);
                         });

// windows-1252 as the WHATWG reads it: the five bytes CP1252 leaves undefined are C1 controls,
// and they must survive the way back.
TEST(Windows1252, ControlRangeDecodesAndRoundTrips) {
    std::string bytes = "<meta charset=windows-1252><p>";
    for (int b = 0x80; b <= 0x9F; ++b) bytes += static_cast<char>(b);
    bytes += "\xE9</p>";
    const DecodedPage page = decodePage(bytes, kDenseCheckpoints);
    ASSERT_EQ(page.encoding, "windows-1252");
    EXPECT_EQ(page.text,
              "<meta charset=windows-1252><p>"
              "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸé</p>");
    const std::vector<std::size_t> boundaries = characterBoundaries(page.text);
    for (std::size_t i = 0; i < boundaries.size(); ++i) EXPECT_EQ(page.originalOffset(boundaries[i]), i);
    EXPECT_EQ(encodeText(page.text, "windows-1252"), bytes);
}

// ISO-2022-JP with long JIS X 0208 runs and a JIS X 0201 Roman run (which glibc never writes,
// but reads): checkpoints fall inside each, and must carry the shift state.
TEST(Iso2022Jp, CheckpointsInsideShiftedRunsMapExactly) {
    std::string bytes = "<meta charset=iso-2022-jp>\n";
    for (int i = 0; i < 6; ++i) {
        bytes += iconvEncode("本日は晴天なり、長い日本語の行が続きます。", "ISO-2022-JP");
        bytes += "\x1B(J\\yen~overline\x1B(B plain \\ ~\n";
    }
    const DecodedPage page = decodePage(bytes, kDenseCheckpoints);
    ASSERT_EQ(page.encoding, "ISO-2022-JP");
    EXPECT_NE(page.text.find("¥yen‾overline plain \\ ~"), std::string::npos);
    EXPECT_EQ(page.text.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_TRUE(offsetsMatchBruteForce(page));
}

// The default spacing over a page of several checkpoints, against offsets known by construction:
// every line is encoded alone and ends in ASCII, so the page is the lines side by side.
TEST(DefaultCheckpoints, LargeShiftedPageMapsExactly) {
    const std::string head = "<!DOCTYPE html><meta charset=\"ISO-2022-JP\">\n";
    const std::string line = "<p><a href=\"/一覧\">リンク一覧へ</a> and more</p>\n";
    const std::string lineBytes = iconvEncode(line, "ISO-2022-JP");
    const DecodedPage single = decodePage(head + lineBytes, kDenseCheckpoints);
    const std::vector<std::size_t> lineOffsets = bruteForceOffsets(single);
    const std::vector<std::size_t> lineBoundaries = characterBoundaries(single.text);

    constexpr int kLines = 400;
    std::string bytes = head;
    for (int i = 0; i < kLines; ++i) bytes += lineBytes;
    const DecodedPage page = decodePage(bytes);
    ASSERT_EQ(page.encoding, "ISO-2022-JP");
    ASSERT_GT(page.offsets.checkpointCount(), 3u);
    EXPECT_LT(page.offsets.checkpointCount() * sizeof(Checkpoint), page.bytes.size() / 8);

    for (int i = 0; i < kLines; ++i) {
        const std::size_t textBase = i * line.size();
        const std::size_t byteBase = i * lineBytes.size();
        // Boundaries of the line (the head is the same in both pages).
        for (std::size_t k = 0; k < lineBoundaries.size(); ++k) {
            if (lineBoundaries[k] < head.size() || (lineBoundaries[k] == single.text.size() && i + 1 < kLines)) continue;
            ASSERT_EQ(page.originalOffset(textBase + lineBoundaries[k]), byteBase + lineOffsets[k])
                << "line " << i << ", text offset " << lineBoundaries[k];
        }
    }
}

TEST(EncodeText, CharactersOutsideTheEncodingBecomeReferences) {
    EXPECT_EQ(encodeText("a€b日c😀", "ISO-8859-2"), "a&#8364;b&#26085;c&#128512;");
    EXPECT_EQ(encodeText("Łódź €", "windows-1252"), "&#321;\xF3" "d&#378; \x80");
    EXPECT_EQ(encodeText("日本é", "Shift_JIS"), iconvEncode("日本", "CP932") + "&#233;");
    EXPECT_EQ(encodeText("漢é字", "ISO-2022-JP"),
              iconvEncode("漢", "ISO-2022-JP") + "&#233;" + iconvEncode("字", "ISO-2022-JP"));
    EXPECT_EQ(encodeText("😀", "UTF-16LE"), iconvEncode("😀", "UTF-16LE"));
    EXPECT_EQ(encodeText("ok\xFFok", "UTF-8"), "ok&#65533;ok");
    EXPECT_THROW(encodeText("x", "no-such-encoding"), std::invalid_argument);
}

TEST(EncodeText, LongTextKeepsEverySequenceWhole) {
    // Long enough that the text is taken in several parts, cut inside characters.
    std::string text;
    std::string expected;
    const std::string kanji = iconvEncode("日", "CP932");
    for (int i = 0; i < 7000; ++i) {
        text += "日é";
        expected += kanji + "&#233;";
    }
    EXPECT_EQ(encodeText(text, "Shift_JIS"), expected);
}

}  // namespace
}  // namespace tarn::charset
