#include <gtest/gtest.h>

#include "platform/afx/CException.h"
#include "tests/links/LinkTestSupport.h"

namespace {

using tarn::test::CollectedPage;

TEST(LinkItems, ItemsStartUnqueuedTickedAndWithoutCorrection) {
    CollectedPage page("<a href=http://e/1>one</a>");
    ASSERT_EQ(page.list->getCount(), 1);
    CTarnLinkCheckItem* item = page.list->getItem(0);
    EXPECT_EQ(item->checkState, CHECK_NONE);
    EXPECT_EQ(item->fixKind, FIX_NONE);
    EXPECT_EQ(item->checkMark, 1);
    EXPECT_TRUE(item->newUrl.IsEmpty());
    EXPECT_TRUE(item->getResultText().IsEmpty());
    EXPECT_EQ(item->tagName, u"A");
    EXPECT_EQ(page.list->notFoundRetries, 5);
    EXPECT_EQ(page.list->stopRequested, 0);
    EXPECT_EQ(page.list->notifyWnd.load(), nullptr);

    item->setNewUrl(CString(u"http://e/fixed"));
    item->setFixKind(FIX_CHANGE_URL);
    EXPECT_EQ(item->getNewUrl(), u"http://e/fixed");
    EXPECT_EQ(item->fixKind, FIX_CHANGE_URL);
}

TEST(LinkItems, AnItemWithoutElementHasNoTagName) {
    CTarnLinkCheckItem item(nullptr, u"HREF", u"http://e/", u"t");
    EXPECT_TRUE(item.tagName.IsEmpty());
    EXPECT_EQ(item.element, nullptr);
}

TEST(LinkItems, AccessOutsideTheListThrowsTheFrameworksException) {
    CollectedPage page("<a href=http://e/1>one</a><a href=http://e/2>two</a>");
    for (int index : {-1, 2, 1000}) {
        try {
            page.list->getItem(index);
            ADD_FAILURE() << "no exception for " << index;
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
            e->Delete();
        }
    }
}

TEST(LinkItems, TheLiveListIsTheActiveOneUntilItIsDestroyed) {
    auto page = std::make_unique<CollectedPage>("<p>no links</p>");
    EXPECT_EQ(page->list->getCount(), 0);
    EXPECT_EQ(activeLinkList.load(), page->list.get());
    // Nothing ever ran: the list goes without waiting.
    page->list.reset();
    EXPECT_EQ(activeLinkList.load(), nullptr);
}

TEST(LinkItems, ClearItemsEmptiesTheList) {
    CollectedPage page("<a href=http://e/1>one</a><a href=http://e/2>two</a>");
    page.list->clearItems();
    EXPECT_EQ(page.list->getCount(), 0);
}

}  // namespace
