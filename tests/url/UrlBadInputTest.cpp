#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "contracts/host/IsProtocol.h"
#include "contracts/host/Url.h"

namespace {

constexpr tarn::URL_ELEMENT kInOrder[] = {tarn::URL_SCHEME, tarn::URL_USER,  tarn::URL_PASSWORD, tarn::URL_HOST,
                                          tarn::URL_PORT,   tarn::URL_PATH,  tarn::URL_FILE,     tarn::URL_PARAMS,
                                          tarn::URL_QUERY,  tarn::URL_FRAGMENT};

// Text without white space reads as written, so each element must be found in it, in order and
// without overlap, and removing the params must remove exactly them and their ';'.
void expectPiecesOfTheText(const std::u16string& text) {
    const Url url{CString(text)};
    std::size_t cursor = 0;
    for (tarn::URL_ELEMENT element : kInOrder) {
        const std::u16string piece = url.get_element(element).ToStdString();
        if (piece.empty())
            continue;
        const std::size_t at = text.find(piece, cursor);
        ASSERT_NE(at, std::u16string::npos) << "element " << element << " of " << CString(text).ToUtf8();
        cursor = at + piece.size();
    }
    const CString params = url.get_element(tarn::URL_PARAMS);
    const int removed = url.get_url_woparams().GetLength();
    if (!params.IsEmpty())
        EXPECT_EQ(removed, static_cast<int>(text.size()) - params.GetLength() - 1);
    else
        EXPECT_LE(text.size() - removed, 1u);  // at most a lone ';'
    EXPECT_LE(url.requestUrl().GetLength(), static_cast<int>(text.size()));
}

TEST(UrlBadInput, RandomDelimiterSoupSplitsIntoPiecesOfTheText) {
    static const char16_t kAlphabet[] = u"ab:/\\?#;@[]%.1\u00e9\xd800\xdc00\x01";
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text(random() % 24, u'a');
        for (char16_t& c : text)
            c = kAlphabet[random() % (std::size(kAlphabet) - 1)];
        // Controls at the ends are trimmed; keep this text free of them there.
        if (!text.empty() && text.front() == u'\x01')
            text.front() = u'a';
        if (!text.empty() && text.back() == u'\x01')
            text.back() = u'a';
        expectPiecesOfTheText(text);
        if (HasFatalFailure())
            return;
    }
}

TEST(UrlBadInput, NulAndLoneSurrogatesAreKept) {
    static const char16_t kText[] = u"\0http://h/a\0b;c\xdc00";
    const std::u16string withNul(kText, std::size(kText) - 1);
    const Url url{CString(withNul)};
    EXPECT_EQ(url.get_element(tarn::URL_SCHEME), u"http");
    EXPECT_EQ(url.get_element(tarn::URL_FILE).ToStdString(), std::u16string(u"a\0b", 3));
    EXPECT_EQ(url.get_element(tarn::URL_PARAMS).ToStdString(), u"c\xdc00");
    EXPECT_EQ(is_protocol(u"\xd800http:", u"http:"), 0);
}

TEST(UrlBadInput, HugeTextsSplitWhole) {
    const std::u16string host(1 << 20, u'h');
    const std::u16string semicolons(1 << 20, u';');
    const Url url{CString(u"http://" + host + u"/" + semicolons + u"?" + semicolons)};
    EXPECT_EQ(url.get_element(tarn::URL_HOST).GetLength(), 1 << 20);
    EXPECT_EQ(url.get_element(tarn::URL_FILE), u"");
    EXPECT_EQ(url.get_element(tarn::URL_PARAMS).GetLength(), (1 << 20) - 1);
    EXPECT_EQ(url.get_element(tarn::URL_QUERY).GetLength(), 1 << 20);
    EXPECT_EQ(url.get_url_woparams().GetLength(), 7 + (1 << 20) + 1 + 1 + (1 << 20));
}

}  // namespace
