#include <gtest/gtest.h>

#include "contracts/host/Element.h"
#include "tests/links/LinkTestSupport.h"

namespace {

using tarn::test::CollectedPage;
using Items = std::vector<std::string>;

Items linkItems(const std::string& headLinks) { return CollectedPage("<head>" + headLinks + "</head>").items(); }

TEST(CollectionRules, LinkRelWholeValuesIgnoreCaseButWordsDoNot) {
    EXPECT_EQ(linkItems("<link rel=StyleSheet href=http://e/a.css>"), Items{"LINK HREF http://e/a.css | リンク"});
    EXPECT_EQ(linkItems("<link rel='Alternate StyleSheet' href=http://e/b.css>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel='SHORTCUT ICON' href=http://e/f.ico><link rel=icon href=http://e/g.ico>"
                        "<link rel=apple-touch-icon href=http://e/h.png>")
                  .size(),
              3u);
    EXPECT_EQ(linkItems("<link rel=next href=http://e/2>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel=Next href=http://e/2>").size(), 0u);
    // Words anywhere among others; other words alone are not enough.
    EXPECT_EQ(linkItems("<link rel='  nofollow prev ' href=http://e/1>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel='stylesheet help' href=http://e/h>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel=preload href=http://e/p>").size(), 0u);
    // Only U+0020 separates words.
    EXPECT_EQ(linkItems("<link rel='nofollow\tnext' href=http://e/2>").size(), 0u);
    EXPECT_EQ(linkItems("<link href=http://e/none><link rel='' href=http://e/empty>").size(), 0u);
}

TEST(CollectionRules, AlternateLinksAreFeedsOnly) {
    EXPECT_EQ(linkItems("<link rel=alternate type=application/rss+xml href=http://e/rss>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel=ALTERNATE type=Application/Atom+XML href=http://e/atom>").size(), 1u);
    EXPECT_EQ(linkItems("<link rel=alternate type=text/html href=http://e/en>").size(), 0u);
    EXPECT_EQ(linkItems("<link rel=alternate hreflang=en href=http://e/en>").size(), 0u);
}

TEST(CollectionRules, AnchorsKeepHttpLinksOnlyWithTheirFormattedText) {
    CollectedPage page(
        "<a href=#top>top</a><a href=page.html>rel</a><a href=mailto:a@e>mail</a>"
        "<a href=javascript:go()>js</a><a href=ftp://e/f>ftp</a>"
        "<a href='http://e/1'>  One <b>bold</b>\n<img alt=pic src=x.png> </a>"
        "<a href=' HTTPS://e/2 '>two</a><map><area href=http://e/area alt=x></map>");
    EXPECT_EQ(page.items(), (Items{"A HREF http://e/1 | One bold pic", "A HREF  HTTPS://e/2  | two",
                                   "AREA HREF http://e/area | "}));
}

TEST(CollectionRules, ImagesGiveUsemapSrcAndLongdescInThatOrder) {
    CollectedPage page(
        "<img longdesc=http://e/d usemap=http://e/m src=http://e/i.png alt=' A &amp; B '>"
        "<img src=local.png alt=skip><img src=http://e/j.png>");
    EXPECT_EQ(page.items(), (Items{"IMG USEMAP http://e/m | USEMAP", "IMG SRC http://e/i.png | A & B",
                                   "IMG LONGDESC http://e/d | LONGDESC", "IMG SRC http://e/j.png | "}));
}

TEST(CollectionRules, EveryRuleReadsItsAttributesInOrder) {
    CollectedPage page(
        "<body background=http://e/bg><table background=http://e/t><tr><td background=http://e/td>"
        "<th background=http://e/th></table>"
        "<embed src=http://e/e.swf><form action=http://e/send></form>"
        "<iframe src=http://e/if longdesc=http://e/ifd></iframe><input type=image src=http://e/in>"
        "<script src=http://e/s.js></script><video><source src=http://e/v.mp4></video>"
        "<object codebase=http://e/cab data=x></object>"
        "<tarn-image imgsrc=http://e/ti></tarn-image><tarn-panel imgsrc=http://e/pi background=http://e/pb>"
        "</tarn-panel><tarn-file file=http://e/f></tarn-file>"
        "<frameset><frame src=http://e/fr longdesc=http://e/frd></frameset>");
    EXPECT_EQ(page.items(),
              (Items{"BODY BACKGROUND http://e/bg | BACKGROUND", "TABLE BACKGROUND http://e/t | BACKGROUND",
                     "TD BACKGROUND http://e/td | BACKGROUND", "TH BACKGROUND http://e/th | BACKGROUND",
                     "EMBED SRC http://e/e.swf | プラグイン", "FORM ACTION http://e/send | ACTION",
                     "IFRAME SRC http://e/if | SRC", "IFRAME LONGDESC http://e/ifd | LONGDESC",
                     "INPUT SRC http://e/in | SRC", "SCRIPT SRC http://e/s.js | SRC",
                     "SOURCE SRC http://e/v.mp4 | SRC", "OBJECT CODEBASE http://e/cab | CODEBASE",
                     "TARN-IMAGE IMGSRC http://e/ti | IMGSRC", "TARN-PANEL BACKGROUND http://e/pb | BACKGROUND",
                     "TARN-PANEL IMGSRC http://e/pi | IMGSRC", "TARN-FILE FILE http://e/f | FILE",
                     "FRAME SRC http://e/fr | SRC", "FRAME LONGDESC http://e/frd | LONGDESC"}));
}

TEST(CollectionRules, AssociatedImagesGiveTheAssociatedElement) {
    CollectedPage page(
        "<tarn-button-image id=pic imgsrc=http://e/pic.png></tarn-button-image>"
        "<tarn-image-link atv=pic></tarn-image-link><tarn-slide atv=nothing imgsrc=http://e/own></tarn-slide>"
        "<tarn-rollover></tarn-rollover>");
    // The picture's own item, then the link's item, which is the picture's attribute again.
    ASSERT_EQ(page.items(), (Items{"TARN-BUTTON-IMAGE IMGSRC http://e/pic.png | IMGSRC",
                                   "TARN-BUTTON-IMAGE IMGSRC http://e/pic.png | IMGSRC"}));
    EXPECT_EQ(page.list->getItem(1)->element, page.document->getElementById(u"pic"));
}

TEST(CollectionRules, TheSameUrlTwiceGivesTwoItems) {
    CollectedPage page("<a href=http://e/x>1</a><a href=http://e/x>2</a><iframe src=http://e/x longdesc=http://e/x>");
    EXPECT_EQ(page.list->getCount(), 4);
}

TEST(CollectionRules, ALargePageIsCollectedCompletelyInDocumentOrder) {
    std::string html = "<ul>";
    for (int i = 0; i < 20000; ++i)
        html += "<li><a href=http://e/" + std::to_string(i) + ">" + std::to_string(i) + "</a>";
    CollectedPage page(html);
    ASSERT_EQ(page.list->getCount(), 20000);
    for (int i = 0; i < 20000; i += 997)
        EXPECT_EQ(tarn::test::utf8(page.list->getItem(i)->url), "http://e/" + std::to_string(i));
    EXPECT_EQ(tarn::test::utf8(page.list->getItem(19999)->text), "19999");
}

}  // namespace
