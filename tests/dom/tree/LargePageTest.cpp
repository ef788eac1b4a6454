#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {

// Nodes name one another by references into the document's arena. A page whose decoded text
// outgrows one arena block (5 MB with a reference in it), followed by thousands of links, puts
// nodes in many blocks and spans far into the page: links, edits and reads must not notice.
TEST(LargePage, NodesInManyArenaBlocksReadLinkAndEditAsOnAnyPage) {
    const std::string filler(5'000'000, 'x');
    std::string html = "<body><b id=first>lead</b><p id=big>" + filler + "&amp;</p><ul id=list>";
    const int links = 20'000;
    for (int i = 0; i < links; ++i)
        html += "<li><A HREF='/p" + std::to_string(i) + "?a=1&amp;b=2'>Link " + std::to_string(i) + "</A>\n";
    html += "</ul></body>";
    auto doc = tarn::dom::parseHtml(html);

    auto* big = static_cast<Text*>(doc->getElementById(u"big")->getFirstChild());
    EXPECT_EQ(big->dataUtf8(), filler + "&");
    EXPECT_EQ(big->sourceSpan().size(), filler.size() + 5);

    // Walked forwards and backwards, the list holds every item once.
    Element* list = doc->getElementById(u"list");
    int forwards = 0, backwards = 0;
    for (Node* n = list->getFirstChild(); n; n = n->getNextSibling())
        ++forwards;
    for (Node* n = list->getLastChild(); n; n = n->getPreviousSibling())
        ++backwards;
    EXPECT_EQ(forwards, links);
    EXPECT_EQ(backwards, links);

    // The last link, far into the page: its span, its upper-case name with a resolved value.
    auto* lastItem = static_cast<Element*>(list->getLastChild());
    auto* a = static_cast<Element*>(lastItem->getFirstChild());
    const std::string lastHref = "/p" + std::to_string(links - 1) + "?a=1&b=2";
    EXPECT_EQ(a->getAttribute(u"href"), std::u16string(lastHref.begin(), lastHref.end()));
    EXPECT_EQ(doc->sourceText().substr(a->startTagSpan().begin, a->startTagSpan().size()),
              "<A HREF='/p" + std::to_string(links - 1) + "?a=1&amp;b=2'>");
    EXPECT_EQ(a->getAttributeNode(u"href")->getName(), u"href");
    EXPECT_EQ(a->getParentNode(), lastItem);

    // Edits of nodes made first and last: a set keeps the name as written, an unwrap and a delete
    // relink across blocks.
    a->setAttribute(u"HREF", u"/new");
    EXPECT_EQ(a->getAttributeNode(u"href")->getName(), u"href");
    Element* first = doc->getElementById(u"first");
    first->setAttribute(u"title", u"t");
    EXPECT_EQ(first->getAttribute(u"title"), u"t");
    Node* body = first->getParentNode();
    ASSERT_TRUE(doc->unwrapElement(first));
    EXPECT_EQ(body->getFirstChild()->getNodeType(), Node::TEXT_NODE);
    EXPECT_EQ(body->getFirstChild()->getPreviousSibling(), nullptr);
    doc->deleteNodes(lastItem);
    EXPECT_EQ(static_cast<Element*>(list->getLastChild())->getFirstChild()->getNodeType(), Node::ELEMENT_NODE);
    EXPECT_EQ(list->getLastChild()->getNextSibling(), nullptr);

    const std::string written = doc->writtenBytes();
    EXPECT_EQ(written.substr(0, 14), "<body>lead<p i");
    const std::string tail = "<li><A HREF='/p" + std::to_string(links - 2) + "?a=1&amp;b=2'>Link " +
                             std::to_string(links - 2) + "</A>\n</ul></body>";
    EXPECT_EQ(written.substr(written.size() - tail.size()), tail);
}

// Elements keep no line and column: they are counted on from checkpoints of the text. Every offset of a
// page whose line breaks (LF, CR LF, lone CR) and multibyte characters fall on and around the checkpoints
// must read as a count from the top reads it, and so must every element's start.
TEST(LargePage, LinesAndColumnsAnywhereMatchACountFromTheTop) {
    std::string html = "<body>";
    const char* const pieces[] = {"\r\n", "\n", "\r", "é", "日本", "<b>x</b>", "ab", " "};
    for (int i = 0; html.size() < 5000; ++i)
        html += pieces[(i * 7 + i / 3) % 8];
    auto doc = tarn::dom::parseHtml(html);

    std::vector<SourcePosition> expected(1, SourcePosition{1, 1});
    for (std::size_t offset = 0; offset < html.size(); ++offset) {
        SourcePosition next = expected.back();
        const char c = html[offset];
        if (c == '\r' || (c == '\n' && (offset == 0 || html[offset - 1] != '\r')))
            next = {next.line + 1, 1};
        else if (c == '\n')
            next.column = 1;
        else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++next.column;
        expected.push_back(next);
    }
    for (std::size_t offset = 0; offset < expected.size(); ++offset) {
        const SourcePosition at = doc->positionOf(static_cast<std::uint32_t>(offset));
        ASSERT_EQ(at.line, expected[offset].line) << "offset " << offset;
        ASSERT_EQ(at.column, expected[offset].column) << "offset " << offset;
    }
    int elements = 0;
    for (Node* n = doc.get(); n; n = doc->findNextNode(n, doc.get(), false, true)) {
        if (n->getNodeType() != Node::ELEMENT_NODE)
            continue;
        const auto* e = static_cast<Element*>(n);
        ASSERT_EQ(e->line(), expected[e->startTagSpan().begin].line);
        ASSERT_EQ(e->column(), expected[e->startTagSpan().begin].column);
        ++elements;
    }
    EXPECT_GT(elements, 100);
}

}  // namespace
