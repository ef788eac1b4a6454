// Writing an edited span back: the bytes before and after it stay as they were, and the page
// then reads as the edited text. ISO-2022-JP is the case that needs more than encodeText.
#include <gtest/gtest.h>

#include <string>

#include "hostlibs/dom/charset/DecodedPage.h"
#include "hostlibs/dom/charset/EncodeText.h"
#include "tests/dom/charset/TestPages.h"

namespace tarn::charset {
namespace {

using testing::iconvEncode;

struct Edit {
    std::string_view find;         // the span to replace: its first occurrence in the text
    std::string_view replacement;  // UTF-8
    std::string_view reads;        // how the replacement reads back
};

// Splices the edit into the page's bytes as a writer would.
std::string applyEdit(const DecodedPage& page, const Edit& edit) {
    const std::size_t begin = page.text.find(edit.find);
    const std::size_t end = begin + edit.find.size();
    const ByteSpan span = page.originalSpan(begin, end);
    return page.bytes.substr(0, span.begin) + page.encodeReplacement(begin, end, edit.replacement) +
           page.bytes.substr(span.end);
}

TEST(WriteBack, ShiftedSpansKeepTheirSurroundings) {
    const std::string text = "<meta charset=iso-2022-jp><p>日本語のリンク: <a href=\"/x\">こちら</a>です</p>\n";
    const DecodedPage page = decodePage(iconvEncode(text, "ISO-2022-JP"), {{}, 64});
    ASSERT_EQ(page.encoding, "ISO-2022-JP");
    ASSERT_EQ(page.text, text);

    const Edit edits[] = {
        {"本", "X", "X"},                    // ASCII into the middle of a JIS run
        {"本", "二", "二"},                  // JIS for JIS
        {"本語", "", ""},                    // deletion inside a run
        {"", "挿入", "挿入"},                // insertion at the very start
        {"日本語のリンク", "Link", "Link"},  // a whole run
        {"リンク: ", "link: 先", "link: 先"},  // across the end of a run
        {"/x", "/日本", "/日本"},            // JIS into ASCII
        {"こちら", "é", "&#233;"},           // a character the encoding lacks
        {"です", "", ""},                    // the run before the ASCII end
    };
    for (const Edit& edit : edits) {
        const std::string bytes = applyEdit(page, edit);
        std::string expected = text;
        expected.replace(text.find(edit.find), edit.find.size(), edit.reads);
        EXPECT_EQ(decodePage(bytes, {"iso-2022-jp"}).text, expected) << edit.find << " -> " << edit.replacement;
        // A browser reads two shift sequences in a row as an error.
        for (std::size_t esc = bytes.find('\x1B'); esc != std::string::npos; esc = bytes.find('\x1B', esc + 1)) {
            EXPECT_NE(bytes.substr(esc + 3, 1), "\x1B") << edit.find << " -> " << edit.replacement;
        }
    }
}

TEST(WriteBack, UnshiftedEncodingsAreJustEncodeText) {
    const DecodedPage page = decodePage(iconvEncode("<meta charset=shift_jis><p>日本</p>", "CP932"));
    ASSERT_EQ(page.encoding, "Shift_JIS");
    const std::size_t begin = page.text.find("日本");
    const ByteSpan span = page.originalSpan(begin, begin + 6);
    EXPECT_EQ(span.begin, page.originalOffset(begin));
    EXPECT_EQ(span.end, span.begin + 4);
    EXPECT_EQ(page.encodeReplacement(begin, begin + 6, "語€"), encodeText("語€", "Shift_JIS"));
}

}  // namespace
}  // namespace tarn::charset
