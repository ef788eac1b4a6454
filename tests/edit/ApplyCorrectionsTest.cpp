#include <gtest/gtest.h>

#include "tests/links/LinkTestSupport.h"

namespace {

using tarn::test::CollectedPage;

// Marks the items whose URL is `url` with a correction.
void correct(CollectedPage& page, const std::u16string& url, int fixKind, const char16_t* newUrl = u"") {
    bool found = false;
    for (int i = 0; i < page.list->getCount(); ++i) {
        CTarnLinkCheckItem* item = page.list->getItem(i);
        if (item->url == url) {
            item->setFixKind(fixKind);
            item->setNewUrl(CString(newUrl));
            found = true;
        }
    }
    ASSERT_TRUE(found) << tarn::test::utf8(url);
}

struct Outcome {
    bool applied;
    bool linkRemoved;
    std::string page;
};

Outcome apply(CollectedPage& page) {
    bool removed = true;  // the pass must reset it
    bool applied = page.list->applyCorrections(removed);
    return {applied, removed, page.document->writtenBytes()};
}

TEST(ApplyCorrections, DeleteLinkIsResolvedByTagAndAttribute) {
    struct Case {
        const char* html;
        const char16_t* url;
        const char* written;
        bool linkRemoved;
    };
    const Case cases[] = {
        {"<p><a href=http://e/a>text <b>b</b></a>.</p>", u"http://e/a", "<p>text <b>b</b>.</p>", false},
        {"<map><area href=http://e/m alt=m>\n</map>", u"http://e/m", "<map>\n</map>", false},
        {"<head><link rel=stylesheet href=http://e/s.css>\n</head>", u"http://e/s.css", "<head>\n</head>", true},
        {"<p>a<img src=http://e/i.png>b</p>", u"http://e/i.png", "<p>ab</p>", false},
        {"<p>a<embed src=http://e/e.swf>b</p>", u"http://e/e.swf", "<p>ab</p>", false},
        {"<p>a<iframe src=http://e/f>fallback</iframe>b</p>", u"http://e/f", "<p>ab</p>", false},
        {"<p>a<script src=http://e/s.js></script>b</p>", u"http://e/s.js", "<p>ab</p>", false},
        // Every other pair loses only the attribute.
        {"<img src=x.png longdesc=http://e/d>", u"http://e/d", "<img src=x.png>", false},
        {"<img src=x.png usemap=http://e/m>", u"http://e/m", "<img src=x.png>", false},
        {"<frameset><frame src=http://e/fr></frameset>", u"http://e/fr", "<frameset><frame></frameset>", false},
        {"<body background=http://e/bg>x", u"http://e/bg", "<body>x", false},
        {"<table background=http://e/t><tr><td background=http://e/td>x</table>", u"http://e/td",
         "<table background=http://e/t><tr><td>x</table>", false},
        {"<form action=http://e/go method=post></form>", u"http://e/go", "<form method=post></form>", false},
        {"<iframe src=x longdesc=http://e/ld></iframe>", u"http://e/ld", "<iframe src=x></iframe>", false},
        {"<input type=image src=http://e/b.png>", u"http://e/b.png", "<input type=image>", false},
    };
    for (const Case& c : cases) {
        CollectedPage page(c.html);
        correct(page, c.url, FIX_DELETE_LINK);
        Outcome out = apply(page);
        EXPECT_TRUE(out.applied) << c.html;
        EXPECT_EQ(out.linkRemoved, c.linkRemoved) << c.html;
        EXPECT_EQ(out.page, c.written) << c.html;
    }
}

TEST(ApplyCorrections, RollOverAnchorsKeepTheirTagWithAnEmptyLink) {
    CollectedPage page(
        "<a href=http://e/r onmouseover=\"img1.src='on.png'\" onmouseout=\"img1.src='off.png'\"><img name=img1 "
        "src=off.png></a>");
    correct(page, u"http://e/r", FIX_DELETE_LINK);
    EXPECT_EQ(apply(page).page,
              "<a href=# onmouseover=\"img1.src='on.png'\" onmouseout=\"img1.src='off.png'\"><img name=img1 "
              "src=off.png></a>");
}

TEST(ApplyCorrections, StoredUnlinkAndDeleteElementValuesWork) {
    CollectedPage page("<div><a href=http://e/1>one</a> <a href=http://e/2>two</a></div><p>x");
    correct(page, u"http://e/1", FIX_UNLINK);
    correct(page, u"http://e/2", FIX_DELETE_ELEMENT);
    Outcome out = apply(page);
    EXPECT_TRUE(out.applied);
    EXPECT_EQ(out.page, "<div>one </div><p>x");
}

TEST(ApplyCorrections, ChangedUrlsAreWrittenAndOnlyTheDocumentChangedFlagFollows) {
    CollectedPage page("<img src=\"http://e/old.png\" alt=pic><a href='http://e/x'>x</a>");
    correct(page, u"http://e/old.png", FIX_CHANGE_URL, u"http://e/new.png");
    Outcome out = apply(page);
    EXPECT_TRUE(out.applied);
    EXPECT_FALSE(out.linkRemoved);
    EXPECT_EQ(out.page, "<img src=\"http://e/new.png\" alt=pic><a href='http://e/x'>x</a>");
}

TEST(ApplyCorrections, AnUnlinkedAnchorsImageCanStillBeChanged) {
    CollectedPage page("<a href=http://e/a><img src=http://e/i.png alt=i></a>");
    correct(page, u"http://e/a", FIX_DELETE_LINK);
    correct(page, u"http://e/i.png", FIX_CHANGE_URL, u"http://e/j.png");
    EXPECT_EQ(apply(page).page, "<img src=http://e/j.png alt=i>");
}

TEST(ApplyCorrections, ItemsOfRemovedElementsAreSkippedAndDoNotCount) {
    // Two items on one image: the first deletes it, the second finds it gone.
    CollectedPage image("<p><img src=http://e/i.png longdesc=http://e/d>x</p>");
    correct(image, u"http://e/i.png", FIX_DELETE_LINK);
    correct(image, u"http://e/d", FIX_DELETE_LINK);
    EXPECT_EQ(apply(image).page, "<p>x</p>");

    // The table goes with the link inside it; the link's own correction is skipped.
    CollectedPage nested("<table background=http://e/t><tr><td><a href=http://e/in>in</a></table><p>after");
    nested.list->getItem(0)->setFixKind(FIX_DELETE_ELEMENT);
    nested.list->getItem(1)->setFixKind(FIX_CHANGE_URL);
    nested.list->getItem(1)->setNewUrl(CString(u"http://e/late"));
    bool removed = false;
    EXPECT_TRUE(nested.list->getItem(0)->applyCorrection(removed));
    EXPECT_FALSE(nested.list->getItem(1)->applyCorrection(removed));
    EXPECT_EQ(nested.document->writtenBytes(), "<p>after");
}

TEST(ApplyCorrections, NothingToApplyIsReportedAsNothing) {
    CollectedPage page("<a href=http://e/1>1</a><a href=http://e/2>2</a><a href=http://e/3>3</a>");
    page.list->getItem(1)->setFixKind(5);
    page.list->getItem(2)->setFixKind(-1);
    Outcome out = apply(page);
    EXPECT_FALSE(out.applied);
    EXPECT_FALSE(out.linkRemoved);
    EXPECT_EQ(out.page, "<a href=http://e/1>1</a><a href=http://e/2>2</a><a href=http://e/3>3</a>");
    EXPECT_FALSE(page.document->isEdited());
}

TEST(ApplyCorrections, SelectInSourceFollowsTheElement) {
    CollectedPage page("<p>\n  <a href=http://e/1>1</a>\n<a href=http://e/2>2</a>");
    EXPECT_TRUE(page.list->getItem(1)->selectInSource());
    ASSERT_TRUE(page.document->sourceCursor());
    EXPECT_EQ(page.document->sourceCursor()->line, 3u);
    page.list->getItem(1)->setFixKind(FIX_DELETE_ELEMENT);
    bool removed = false;
    page.list->getItem(1)->applyCorrection(removed);
    EXPECT_FALSE(page.list->getItem(1)->selectInSource());
    CTarnLinkCheckItem orphan(nullptr, u"HREF", u"http://e/", u"");
    EXPECT_FALSE(orphan.selectInSource());
}

}  // namespace
