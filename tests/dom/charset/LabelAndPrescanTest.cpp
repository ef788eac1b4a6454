// The label table, the parts of the prescan the html5lib cases leave out, and the order in which
// detection consults BOM, transport label, prescan and UTF-8 validity.
#include <gtest/gtest.h>

#include <string>

#include "hostlibs/dom/charset/DecodedPage.h"
#include "hostlibs/dom/charset/EncodingLabels.h"
#include "hostlibs/dom/charset/MetaPrescan.h"

namespace tarn::charset {
namespace {

using namespace std::string_literals;

TEST(EncodingLabels, MapWhatwgLabelsToCanonicalNames) {
    EXPECT_EQ(encodingForLabel("latin1"), "windows-1252");
    EXPECT_EQ(encodingForLabel("US-ASCII"), "windows-1252");
    EXPECT_EQ(encodingForLabel(" \tUTF8\n"), "UTF-8");
    EXPECT_EQ(encodingForLabel("sjis"), "Shift_JIS");
    EXPECT_EQ(encodingForLabel("ms932"), "Shift_JIS");
    EXPECT_EQ(encodingForLabel("x-euc-jp"), "EUC-JP");
    EXPECT_EQ(encodingForLabel("csISO2022JP"), "ISO-2022-JP");
    EXPECT_EQ(encodingForLabel("iso8859-2"), "ISO-8859-2");
    EXPECT_EQ(encodingForLabel("iso-8859-9"), "windows-1254");
    EXPECT_EQ(encodingForLabel("tis-620"), "windows-874");
    EXPECT_EQ(encodingForLabel("koi8-ru"), "KOI8-U");
    EXPECT_EQ(encodingForLabel("gb2312"), "GBK");
    EXPECT_EQ(encodingForLabel("big5-hkscs"), "Big5");
    EXPECT_EQ(encodingForLabel("windows-949"), "EUC-KR");
    EXPECT_EQ(encodingForLabel("utf-16"), "UTF-16LE");
    EXPECT_EQ(encodingForLabel("unicodefffe"), "UTF-16BE");
}

TEST(EncodingLabels, UnsupportedAndMalformedLabelsAreUnknown) {
    for (const char* label : {"", "bogus", "utf-7", "x-user-defined", "iso-2022-kr", "hz-gb-2312", "replacement",
                              "utf 8", "latin1x", "windows-1252windows-1252windows-1252"}) {
        EXPECT_EQ(encodingForLabel(label), std::nullopt) << label;
    }
}

TEST(EncodingLabels, EveryCanonicalNameIsItsOwnLabel) {
    for (const char* name : {"UTF-8", "UTF-16LE", "UTF-16BE", "IBM866", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4",
                             "ISO-8859-5", "ISO-8859-6", "ISO-8859-7", "ISO-8859-8", "ISO-8859-8-I", "ISO-8859-10",
                             "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16", "KOI8-R", "KOI8-U",
                             "macintosh", "windows-874", "windows-1250", "windows-1251", "windows-1252",
                             "windows-1253", "windows-1254", "windows-1255", "windows-1256", "windows-1257",
                             "windows-1258", "x-mac-cyrillic", "GBK", "gb18030", "Big5", "EUC-JP", "ISO-2022-JP",
                             "Shift_JIS", "EUC-KR"}) {
        EXPECT_EQ(encodingForLabel(name), name);
    }
}

TEST(MetaPrescan, FollowsTheAttributeRules) {
    // A repeated attribute counts once, the first time.
    EXPECT_EQ(prescanMetaCharset("<meta charset=koi8-r charset=utf-8>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<meta http-equiv=content-type http-equiv=refresh content='charset=koi8-r'>"),
              "KOI8-R");
    // A charset attribute beats a content one, before or after it; content needs the pragma.
    EXPECT_EQ(prescanMetaCharset("<meta content='text/html; charset=koi8-r' charset=utf-8 "
                                 "http-equiv=content-type>"),
              "UTF-8");
    EXPECT_EQ(prescanMetaCharset("<meta charset=utf-8 content='charset=koi8-r' http-equiv=content-type>"), "UTF-8");
    // An unknown charset attribute is a failure that a later content attribute cannot repair.
    EXPECT_EQ(prescanMetaCharset("<meta charset=bogus content='charset=koi8-r' http-equiv=content-type>"),
              std::nullopt);
    // In content, "charset" without "=" is passed over for the next one.
    EXPECT_EQ(prescanMetaCharset("<meta http-equiv=Content-Type content='text/html; charsetx; Charset =\"koi8-r\"'>"),
              "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<META/CHARSET=KOI8-R>"), "KOI8-R");
}

TEST(MetaPrescan, SkipsCommentsAndOtherMarkup) {
    EXPECT_EQ(prescanMetaCharset("<!--><meta charset=koi8-r>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<!-- <meta charset=utf-8> --><meta charset=koi8-r>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<?xml version='1.0'?><!DOCTYPE html></x><meta charset=koi8-r>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<div title='<meta charset=utf-8>'><meta charset=koi8-r>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<metax charset=utf-8><meta charset=koi8-r>"), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset("<!-- never closed <meta charset=koi8-r>"), std::nullopt);
}

TEST(MetaPrescan, MapsSpecialDeclarations) {
    EXPECT_EQ(prescanMetaCharset("<meta charset=x-user-defined>"), "windows-1252");
    EXPECT_EQ(prescanMetaCharset("<meta http-equiv=content-type content='charset=utf-16be'>"), "UTF-8");
    EXPECT_EQ(prescanMetaCharset("<\0?\0x\0m\0l\0"s), "UTF-16LE");
    EXPECT_EQ(prescanMetaCharset("\0<\0?\0x\0m\0l"s), "UTF-16BE");
}

TEST(MetaPrescan, ReadsOnlyTheFirst1024Bytes) {
    const std::string meta = "<meta charset=koi8-r>";
    const std::string pad(kPrescanLength - meta.size(), ' ');
    EXPECT_EQ(prescanMetaCharset(pad + meta), "KOI8-R");
    EXPECT_EQ(prescanMetaCharset(pad + " " + meta), std::nullopt);
}

TEST(Detection, ByteOrderMarkThenTransportThenMetaThenUtf8ThenWindows1252) {
    const std::string meta = "<meta charset=koi8-r>\xC1";
    EXPECT_EQ(decodePage("\xEF\xBB\xBF" + meta, {"shift_jis"}).encoding, "UTF-8");
    EXPECT_EQ(decodePage(meta, {"shift_jis"}).encoding, "Shift_JIS");
    EXPECT_EQ(decodePage(meta, {"no-such-label"}).encoding, "KOI8-R");
    EXPECT_EQ(decodePage(meta).encoding, "KOI8-R");
    EXPECT_EQ(decodePage("<p>caf\xC3\xA9</p>").encoding, "UTF-8");
    EXPECT_EQ(decodePage("<p>caf\xE9</p>").encoding, "windows-1252");
}

TEST(LineEnding, DominantStyleOfTheText) {
    EXPECT_EQ(decodePage("no breaks").lineEnding, LineEnding::LF);
    EXPECT_EQ(decodePage("a\nb\n").lineEnding, LineEnding::LF);
    EXPECT_EQ(decodePage("a\r\nb\r\nc\n").lineEnding, LineEnding::CRLF);
    EXPECT_EQ(decodePage("a\rb\rc\r\n").lineEnding, LineEnding::CR);
    EXPECT_EQ(decodePage("a\r\nb\n").lineEnding, LineEnding::LF);
    EXPECT_EQ(decodePage("\xFF\xFE" "a\0\r\0\n\0"s).lineEnding, LineEnding::CRLF);
}

}  // namespace
}  // namespace tarn::charset
