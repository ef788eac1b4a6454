#include <gtest/gtest.h>

#include <random>
#include <string>

#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"
#include "tests/dom/tree/TreeDump.h"

namespace {

std::size_t countNodes(Document& doc) {
    std::size_t count = 0;
    for (Node* n = doc.findNextNode(&doc, &doc, false, false); n; n = doc.findNextNode(n, &doc, false, false))
        ++count;
    return count;
}

TEST(BadInput, EmptyBinaryAndBrokenTextGiveADefinedTree) {
    EXPECT_EQ(countNodes(*tarn::dom::parseHtml("")), 0u);

    std::mt19937 random(7);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    auto doc = tarn::dom::parseHtml(binary);
    EXPECT_GT(countNodes(*doc), 0u);

    static const char kBroken[] = "<p a=\"\xff\xfe\">\xc3(\0x</p";
    auto broken = tarn::dom::parseHtml(std::string(kBroken, sizeof kBroken - 1));
    EXPECT_EQ(tarn::test::dump(broken.get()), "HTML~(BODY~(P(#)))");
    Element* p = static_cast<Element*>(broken->findNextNode(broken.get(), broken.get(), false, true));
    while (p->getTagName() != u"P")
        p = static_cast<Element*>(broken->findNextNode(p, broken.get(), false, true));
    EXPECT_EQ(p->getAttribute(u"a"), u"\ufffd\ufffd");
}

TEST(BadInput, DeepNestingIsBuiltWalkedAndFreedWithoutRecursion) {
    constexpr int depth = 100000;
    std::string page;
    for (int i = 0; i < depth; ++i)
        page += "<div>";
    page += "deep";
    auto doc = tarn::dom::parseHtml(page);
    EXPECT_EQ(countNodes(*doc), depth + 3u);  // html, body, the divs and the text
    Node* n = doc.get();
    int levels = 0;
    while (n->getFirstChild()) {
        n = n->getFirstChild();
        ++levels;
    }
    EXPECT_EQ(levels, depth + 3);
    // Every implied end is the end of the page.
    EXPECT_EQ(static_cast<Element*>(n->getParentNode())->extent().end, page.size());
}

TEST(BadInput, HugeTagsAreKeptWhole) {
    std::string manyAttributes = "<a";
    for (int i = 0; i < 100000; ++i)
        manyAttributes += " a" + std::to_string(i) + "=" + std::to_string(i);
    manyAttributes += " a5=dup>x</a>";
    auto doc = tarn::dom::parseHtml(manyAttributes);
    auto* a = static_cast<Element*>(doc->getFirstChild()->getFirstChild()->getFirstChild());
    ASSERT_EQ(a->getTagName(), u"A");
    EXPECT_EQ(a->attributes().size(), 100001u);
    EXPECT_EQ(a->getAttribute(u"a99999"), u"99999");
    EXPECT_EQ(a->getAttribute(u"a5"), u"5");

    std::string value(1 << 20, 'v');
    auto big = tarn::dom::parseHtml("<img src=\"http://e/" + value + "\">");
    auto* img = static_cast<Element*>(big->getFirstChild()->getFirstChild()->getFirstChild());
    EXPECT_EQ(img->getAttribute(u"src").size(), value.size() + 9);
}

}  // namespace
