#include <gtest/gtest.h>

#include "app/CorrectionCount.h"
#include "app/HostWindow.h"
#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Element.h"

namespace {

const char* const kPage =
    "<p><a id=a1 href=http://127.0.0.1:9/1>one</a>\n"
    "<a id=a2 href=http://127.0.0.1:9/2>two</a>\n"
    "<img id=i1 src=http://127.0.0.1:9/i.png></p>\n";

class HostSideTest : public ::testing::Test {
protected:
    void SetUp() override { document = tarn::dom::loadDocument(kPage); }
    Element* byId(const char16_t* id) { return document->getElementById(id); }

    std::unique_ptr<Document> document;
};

TEST_F(HostSideTest, CorrectionsAreCountedByElement) {
    EXPECT_EQ(countCorrections(*document), 0);
    // A new URL set twice on one element is one correction.
    byId(u"a1")->setAttribute(u"href", u"http://127.0.0.1:9/new");
    byId(u"a1")->setAttribute(u"title", u"x");
    EXPECT_EQ(countCorrections(*document), 1);
    // An unwrapped link leaves its start and end tags: one correction.
    ASSERT_TRUE(document->unwrapElement(byId(u"a2")));
    EXPECT_EQ(countCorrections(*document), 2);
    document->deleteNodes(byId(u"i1"));
    EXPECT_EQ(countCorrections(*document), 3);
}

TEST_F(HostSideTest, AnEditedElementRemovedLaterCountsOnce) {
    Element* link = byId(u"a1");
    link->setAttribute(u"href", u"http://127.0.0.1:9/new");
    document->deleteNodes(link);
    EXPECT_EQ(countCorrections(*document), 1);
}

TEST_F(HostSideTest, TheHostWindowShowsTheSourceCursorWhenToldItMoved) {
    HostWindow window(*document);
    ASSERT_TRUE(window.Create());
    document->setSourceCursor(byId(u"a2"), 0);
    // Not yet told.
    EXPECT_FALSE(window.sourceCursor().has_value());
    window.SendMessage(HostWindow::WM_SOURCE_CURSOR_MOVED, 0, 0);
    ASSERT_TRUE(window.sourceCursor().has_value());
    EXPECT_EQ(window.sourceCursor()->line, 2u);
    EXPECT_EQ(window.sourceCursor()->column, 1u);
    // The framework's own messages (a modal dialog disables its owner) are not the module's.
    window.EnableWindow(FALSE);
    window.EnableWindow(TRUE);
    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].msg, 0x060Cu);
}

}  // namespace
