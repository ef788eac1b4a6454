#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/DomUtBaseCore.h"
#include "contracts/host/DomUtil.h"
#include "contracts/host/Element.h"

namespace {

std::string utf8(const CString& s) { return s.ToUtf8(); }
std::string utf8(const std::u16string& s) { return CString(s).ToUtf8(); }

Element* byId(Document& doc, const char16_t* id) { return doc.getElementById(id); }

// The walk the link collection makes: every node below the root, in document order.
std::vector<std::string> walk(Document& doc, Node* root) {
    std::vector<std::string> seen;
    for (Node* n = doc.findNextNode(root, root, false, false); n; n = doc.findNextNode(n, root, false, false)) {
        if (n->getNodeType() == Node::ELEMENT_NODE)
            seen.push_back(utf8(static_cast<Element*>(n)->getTagName()));
        else
            seen.push_back(n->getNodeType() == Node::TEXT_NODE ? "#text" : "#other");
    }
    return seen;
}

TEST(DocumentContract, FindNextNodeVisitsChildrenFirstAndStaysInsideTheRoot) {
    auto doc = tarn::dom::parseHtml(
        "<div id=before><a href=x>b</a></div>"
        "<div id=root><p><b>1</b><i>2</i></p><!--c--><span>3</span></div>"
        "<div id=after><a href=y>z</a></div>");
    Element* root = byId(*doc, u"root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(walk(*doc, root),
              (std::vector<std::string>{"P", "B", "#text", "I", "#text", "#other", "SPAN", "#text"}));
    // The last node of the subtree has no successor inside it.
    Node* last = root->getLastChild()->getFirstChild();
    EXPECT_EQ(doc->findNextNode(last, root, false, false), nullptr);
    // A leaf root, and the two flags.
    Element* p = static_cast<Element*>(root->getFirstChild());
    EXPECT_EQ(doc->findNextNode(p, p, true, false), nullptr);
    EXPECT_EQ(doc->findNextNode(p, root, true, false)->getNodeType(), Node::COMMENT_NODE);
    EXPECT_EQ(doc->findNextNode(p, root, true, true), root->getLastChild());
    // From the document down, every element is reached.
    auto all = walk(*doc, doc.get());
    EXPECT_EQ(std::count(all.begin(), all.end(), "A"), 2);
}

TEST(DocumentContract, NodeTypesAndOwnership) {
    auto doc = tarn::dom::parseHtml("<!doctype html><p>t<!--c--></p>");
    EXPECT_EQ(doc->getNodeType(), Node::DOCUMENT_NODE);
    EXPECT_EQ(doc->getOwnerDocument(), nullptr);
    EXPECT_EQ(doc->getFirstChild()->getNodeType(), Node::DOCUMENT_TYPE_NODE);
    Node* p = doc->findNextNode(doc.get(), doc.get(), false, true);
    while (p && static_cast<Element*>(p)->getTagName() != u"P")
        p = doc->findNextNode(p, doc.get(), false, true);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getOwnerDocument(), doc.get());
    EXPECT_EQ(p->getFirstChild()->getNodeType(), Node::TEXT_NODE);
    EXPECT_EQ(p->getFirstChild()->getNextSibling()->getNodeType(), Node::COMMENT_NODE);
    EXPECT_EQ(static_cast<Text*>(p->getFirstChild())->getData(), u"t");
}

TEST(DocumentContract, AttributesMatchIgnoringCaseAndTheFirstDuplicateAnswers) {
    auto doc = tarn::dom::parseHtml(
        "<a id=a HREF='http://x/?a=1&amp;b=2' href=second Title=\"&lt;hi&gt;\" download>t</a>");
    Element* a = byId(*doc, u"a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->getAttribute(u"HREF"), u"http://x/?a=1&b=2");
    EXPECT_EQ(a->getAttribute(u"href"), u"http://x/?a=1&b=2");
    EXPECT_EQ(a->getAttribute(u"title"), u"<hi>");
    EXPECT_EQ(a->getAttributeNode(u"Href")->getName(), u"href");
    // Absent reads as empty and null; present without a value reads as empty but not null.
    EXPECT_EQ(a->getAttribute(u"src"), u"");
    EXPECT_EQ(a->getAttributeNode(u"src"), nullptr);
    EXPECT_NE(a->getAttributeNode(u"download"), nullptr);
    EXPECT_EQ(a->getAttribute(u"download"), u"");
    EXPECT_EQ(a->attributes().size(), 5u);
}

TEST(DocumentContract, AtvFindsTheAssociatedElementOrNull) {
    auto doc = tarn::dom::parseHtml(
        "<tarn-image id=pic imgsrc='http://x/p.png'></tarn-image>"
        "<tarn-image-link id=linked atv=pic></tarn-image-link>"
        "<tarn-image-link id=dangling atv=missing></tarn-image-link>"
        "<tarn-image-link id=none></tarn-image-link>");
    Element* pic = byId(*doc, u"pic");
    EXPECT_EQ(byId(*doc, u"linked")->getATV(), pic);
    EXPECT_EQ(byId(*doc, u"linked")->getElementID(), 114);
    EXPECT_EQ(byId(*doc, u"dangling")->getATV(), nullptr);
    EXPECT_EQ(byId(*doc, u"none")->getATV(), nullptr);
    EXPECT_EQ(pic->getATV(), nullptr);
}

TEST(DocumentContract, FormattedTextCollapsesSpaceAndReadsImageAlt) {
    auto doc = tarn::dom::parseHtml(
        "<a id=nested href=x>  Read <b>the\n\t<i>whole</i></b>   story&nbsp;&amp; more </a>"
        "<a id=image href=x><img src=i.png alt=' Home  page '> <span>now</span></a>"
        "<a id=blocks href=x><div>one</div><div>two</div>three<br>four<script>ignored()</script></a>"
        "<a id=empty href=x>   </a>");
    DomUtBase util(doc.get());
    auto fmt = [&](const char16_t* id, bool alt = true, bool breaks = false) {
        return utf8(util.getFmtData(util.getFmtText(byId(*doc, id), alt, breaks)));
    };
    EXPECT_EQ(fmt(u"nested"), "Read the whole story\u00a0& more");
    EXPECT_EQ(utf8(util.getFmtText(byId(*doc, u"nested"), true, false)), " Read the whole story\u00a0& more ");
    EXPECT_EQ(fmt(u"image"), "Home page now");
    EXPECT_EQ(fmt(u"image", false), "now");
    EXPECT_EQ(fmt(u"blocks"), "one two three four");
    EXPECT_EQ(utf8(util.getFmtText(byId(*doc, u"blocks"), true, true)), " one two three\nfour");
    EXPECT_EQ(fmt(u"empty"), "");
    EXPECT_EQ(utf8(util.getFmtText(nullptr, true, false)), "");
    EXPECT_EQ(utf8(util.getFmtData(CString(u"\u0007 tab\there\r\n"))), "tab here");
}

TEST(DocumentContract, ParsedAttributeValueIsTheValueForDisplay) {
    auto doc = tarn::dom::parseHtml("<img id=i alt='  A &amp;\n B  '>");
    Element* img = byId(*doc, u"i");
    EXPECT_EQ(utf8(DomUtBaseCore::getParsedAttributeValue(img, u"ALT")), "A & B");
    EXPECT_EQ(utf8(DomUtBaseCore::getParsedAttributeValue(img, u"title")), "");
    EXPECT_EQ(utf8(DomUtBaseCore::getParsedAttributeValue(nullptr, u"alt")), "");
}

TEST(DocumentContract, RollOverLinksChangeAnImage) {
    auto doc = tarn::dom::parseHtml(
        "<a id=assign href=x onmouseover=\"document.images['b'].src = 'on.png'\"><img name=b></a>"
        "<a id=swap href=x onMouseOut=\"MM_swapImgRestore()\"><img></a>"
        "<a id=jquery href=x onmouseover=\"$('#b').attr('src','on.png')\"><img></a>"
        "<a id=compare href=x onmouseover=\"if (img.src == 'a') go()\">t</a>"
        "<a id=status href=x onmouseover=\"window.status='hi'\">t</a>"
        "<a id=plain href=x>t</a>"
        "<span id=notanchor onmouseover=\"i.src='x'\">t</span>");
    DomUtil util(doc.get(), nullptr);
    EXPECT_TRUE(util.isRollOverLink(byId(*doc, u"assign")));
    EXPECT_TRUE(util.isRollOverLink(byId(*doc, u"swap")));
    EXPECT_TRUE(util.isRollOverLink(byId(*doc, u"jquery")));
    EXPECT_FALSE(util.isRollOverLink(byId(*doc, u"compare")));
    EXPECT_FALSE(util.isRollOverLink(byId(*doc, u"status")));
    EXPECT_FALSE(util.isRollOverLink(byId(*doc, u"plain")));
    EXPECT_FALSE(util.isRollOverLink(byId(*doc, u"notanchor")));
    EXPECT_FALSE(util.isRollOverLink(nullptr));
}

TEST(DocumentContract, SourceCursorTakesTheLineAndColumnOfTheNode) {
    auto doc = tarn::dom::parseHtml("<p>\r\n  <a id=a href=x>日本語</a>\r\n<b id=b>x</b>");
    Element* a = byId(*doc, u"a");
    EXPECT_EQ(a->line(), 2u);
    EXPECT_EQ(a->column(), 3u);
    doc->setSourceCursor(a, 0);
    ASSERT_TRUE(doc->sourceCursor());
    EXPECT_EQ(doc->sourceCursor()->line, 2u);
    EXPECT_EQ(doc->sourceCursor()->column, 3u);
    doc->setSourceCursor(a, 1);  // after "</a>": 3 + 15 + 3 characters + 4
    EXPECT_EQ(doc->sourceCursor()->column, 3u + 15 + 3 + 4);
    EXPECT_EQ(byId(*doc, u"b")->line(), 3u);
}

}  // namespace
