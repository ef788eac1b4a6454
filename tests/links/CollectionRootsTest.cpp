#include <gtest/gtest.h>

#include "hostlibs/dom/HtmlParser.h"
#include "tests/links/LinkTestSupport.h"

namespace {

using tarn::test::CollectedPage;
using Items = std::vector<std::string>;
using Calls = std::vector<HostCall>;

const std::string kPage =
    "<a href=http://e/before>b</a>"
    "<div id=outer background=http://e/own><a href=http://e/1>1</a>"
    "<div id=inner><a href=http://e/2>2</a></div></div>"
    "<a id=anchor href=http://e/anchor>a</a>";

TEST(CollectionRoots, WithoutRootsTheWholeDocumentIsWalked) {
    CollectedPage page(kPage);
    EXPECT_EQ(page.list->getCount(), 4);
    // The document is asked for as the root, then once more by the walk of that root.
    EXPECT_EQ(page.host->calls(),
              (Calls{{"getCheckRoots", {}}, {"useCheckRoots", {}}, {"getDocument", {}}, {"getDocument", {}}}));
}

TEST(CollectionRoots, ARootsOwnAttributesAreNotCollected) {
    CollectedPage page(kPage, {u"outer"});
    EXPECT_EQ(page.items(), (Items{"A HREF http://e/1 | 1", "A HREF http://e/2 | 2"}));
    CollectedPage anchor(kPage, {u"anchor"});
    EXPECT_EQ(anchor.list->getCount(), 0);
}

TEST(CollectionRoots, NestedRootsGiveTheirLinksTwiceInRootOrder) {
    CollectedPage page(kPage, {u"inner", u"outer"});
    EXPECT_EQ(page.items(), (Items{"A HREF http://e/2 | 2", "A HREF http://e/1 | 1", "A HREF http://e/2 | 2"}));
    // The document is asked for once per root, after the roots and the mode.
    EXPECT_EQ(page.host->calls(), (Calls{{"getCheckRoots", {}},
                                         {"useCheckRoots", {}},
                                         {"getDocument", {}},
                                         {"getDocument", {}}}));
}

TEST(CollectionRoots, RootsOnlyWithoutRootsCollectsNothing) {
    CollectedPage page(kPage, {u"no-such-id"});
    EXPECT_EQ(page.list->getCount(), 0);
    EXPECT_EQ(page.host->missingRoots(), std::vector<std::u16string>{u"no-such-id"});
    EXPECT_EQ(page.host->calls(), (Calls{{"getCheckRoots", {}}, {"useCheckRoots", {}}}));
}

// A host that gives roots but does not ask to walk them only: the roots are walked all the same.
class RootsWithoutRestriction : public PageHost {
public:
    using PageHost::PageHost;
    bool useCheckRoots() override {
        PageHost::useCheckRoots();
        return false;
    }
};

TEST(CollectionRoots, GivenRootsAreWalkedEvenWhenTheHostDoesNotRestrict) {
    auto document = tarn::dom::parseHtml(kPage);
    RootsWithoutRestriction host(*document, {u"inner"});
    CTarnLinkCheckItems list(&host);
    ASSERT_EQ(list.getCount(), 1);
    EXPECT_EQ(tarn::test::utf8(list.getItem(0)->url), "http://e/2");
}

}  // namespace
