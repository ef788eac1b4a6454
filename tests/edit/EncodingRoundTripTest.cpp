#include <gtest/gtest.h>
#include <iconv.h>

#include <stdexcept>

#include "app/PageHost.h"
#include "hostlibs/dom/HtmlParser.h"
#include "module/links/CTarnLinkCheckItems.h"

namespace {

// The bytes of UTF-8 text in another encoding, by glibc's iconv.
std::string encode(const std::string& utf8, const char* encoding) {
    iconv_t cd = iconv_open(encoding, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no converter");
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* o = out.data();
    size_t outLeft = out.size();
    size_t done = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv(cd, nullptr, nullptr, &o, &outLeft);  // back to the initial shift state
    iconv_close(cd);
    if (done == static_cast<size_t>(-1))
        throw std::runtime_error("not encodable");
    out.resize(out.size() - outLeft);
    return out;
}

// Loads the bytes, gives the first link the new URL through the module, and writes the page back.
std::string correctFirstLink(const std::string& bytes, const std::u16string& newUrl) {
    auto document = tarn::dom::loadDocument(bytes);
    PageHost host(*document, {});
    CTarnLinkCheckItems list(&host);
    EXPECT_GT(list.getCount(), 0);
    EXPECT_EQ(document->writtenBytes(), bytes);  // nothing edited yet: the same bytes
    list.getItem(0)->setFixKind(FIX_CHANGE_URL);
    list.getItem(0)->setNewUrl(CString(newUrl));
    bool removed = false;
    EXPECT_TRUE(list.applyCorrections(removed));
    return document->writtenBytes();
}

struct EncodedPage {
    const char* iconvName;
    const char* metaCharset;
};

TEST(EncodingRoundTrip, LegacyJapaneseEncodingsKeepEveryOtherByte) {
    for (const EncodedPage& enc : {EncodedPage{"SHIFT_JIS", "Shift_JIS"}, EncodedPage{"EUC-JP", "EUC-JP"},
                                   EncodedPage{"ISO-2022-JP", "ISO-2022-JP"}}) {
        SCOPED_TRACE(enc.iconvName);
        auto page = [&](const std::string& href) {
            return "<html><head><meta charset=" + std::string(enc.metaCharset) +
                   "><title>日本語のページ</title></head>\r\n<body><p>リンク: <a href=\"" + href +
                   "\">案内</a>\r\n<p>終わり</body></html>\r\n";
        };
        const std::string before = encode(page("http://e/旧"), enc.iconvName);
        // Japanese text is written in the page's encoding; the emoji is in none, so it becomes a reference.
        const std::string after = correctFirstLink(before, u"http://e/新しい?q=😀&x=1");
        EXPECT_EQ(after, encode(page("http://e/新しい?q=&#128512;&amp;x=1"), enc.iconvName));
    }
}

TEST(EncodingRoundTrip, Utf8WithAndWithoutBomAndLineEndings) {
    for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
        for (const std::string eol : {"\n", "\r\n", "\r"}) {
            auto page = [&](const std::string& href) {
                return bom + "<!doctype html>" + eol + "<p>caf\xC3\xA9" + eol + "<a href='" + href + "'>x</a>" + eol;
            };
            EXPECT_EQ(correctFirstLink(page("http://e/old"), u"http://e/né"), page("http://e/n\xC3\xA9"));
        }
    }
}

TEST(EncodingRoundTrip, Windows1252PagesWriteWhatTheyCannotHoldAsReferences) {
    const std::string before = encode("<p>caf\xC3\xA9 \xE2\x82\xAC<a href=http://e/a>a</a>", "CP1252");
    EXPECT_EQ(correctFirstLink(before, u"http://e/€/日"),
              encode("<p>caf\xC3\xA9 \xE2\x82\xAC<a href=http://e/\xE2\x82\xAC/&#26085;>a</a>", "CP1252"));
}

}  // namespace
