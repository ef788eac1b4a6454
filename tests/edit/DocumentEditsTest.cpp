#include <gtest/gtest.h>

#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/DomUtBase.h"
#include "contracts/host/Element.h"

namespace {

struct Page {
    explicit Page(std::string html) : doc(tarn::dom::parseHtml(std::move(html))) {}
    Element* operator[](const char16_t* id) const { return doc->getElementById(id); }
    std::string written() const { return doc->writtenBytes(); }
    std::unique_ptr<Document> doc;
};

TEST(DocumentEdits, APageWithoutEditsIsWrittenBackUnchanged) {
    const std::string html = "<!doctype html>\r\n<P CLASS=x>caf\xc3\xa9 &amp; <a href=y>z</a>\r\n";
    Page page(html);
    EXPECT_FALSE(page.doc->isEdited());
    EXPECT_EQ(page.written(), html);
}

TEST(DocumentEdits, SetRewritesTheValueInItsOwnQuotes) {
    Page page("<a id=a HREF=\"old\" title='t'>x</a> <img id=i src=old.png alt=\"\"> <b id=b hidden>y</b>");
    page[u"a"]->setAttribute(u"href", u"http://e/new?a=1&b=2");
    page[u"a"]->setAttribute(u"TITLE", u"it's");
    page[u"i"]->setAttribute(u"SRC", u"http://e/n.png");
    page[u"i"]->setAttribute(u"alt", u"two words");
    page[u"b"]->setAttribute(u"hidden", u"until-found");
    EXPECT_EQ(page.written(),
              "<a id=a HREF=\"http://e/new?a=1&amp;b=2\" title='it&#39;s'>x</a> "
              "<img id=i src=http://e/n.png alt=\"two words\"> <b id=b hidden=until-found>y</b>");
    EXPECT_EQ(page[u"a"]->getAttribute(u"href"), u"http://e/new?a=1&b=2");
    // Only the value's bytes change: the space around '=' stays as the page wrote it.
    Page spaced("<a id=a HREF = \"old\" >x</a><a id=b href\n=\told>y</a><img id=i src= >");
    spaced[u"a"]->setAttribute(u"href", u"new");
    spaced[u"b"]->setAttribute(u"href", u"two words");
    spaced[u"i"]->setAttribute(u"src", u"n.png");
    EXPECT_EQ(spaced.written(), "<a id=a HREF = \"new\" >x</a><a id=b href\n=\t\"two words\">y</a><img id=i src= n.png>");
}

TEST(DocumentEdits, HostileValuesStayOneAttributeValue) {
    const std::u16string hostile[] = {u"x\" onclick=\"alert(1)", u"x' onclick='alert(1)", u"x><script>alert(1)</script>",
                                      u"a&amp;b&lt;", u"line\r\nbreak\n", std::u16string(u"nul\0end", 7), u"a b=c"};
    for (char quote : {'"', '\'', ' '}) {
        for (const std::u16string& value : hostile) {
            std::string q = quote == ' ' ? "" : std::string(1, quote);
            Page page("<p><a id=a href=" + q + "old" + q + " class=k>text</a><i>after</i></p>");
            page[u"a"]->setAttribute(u"HREF", value);
            // The written page parses back to the same elements, with the value exactly as set.
            Page reread(page.written());
            Element* a = reread[u"a"];
            ASSERT_NE(a, nullptr) << page.written();
            std::u16string expected = value;
            for (char16_t& c : expected)
                if (c == 0)
                    c = 0xFFFD;
            EXPECT_EQ(a->getAttribute(u"href"), expected) << page.written();
            EXPECT_EQ(a->getAttribute(u"class"), u"k") << page.written();
            EXPECT_EQ(a->attributes().size(), 3u) << page.written();
            EXPECT_EQ(a->getAttributeNode(u"onclick"), nullptr);
            EXPECT_EQ(a->getFirstChild()->getNodeType(), Node::TEXT_NODE);
        }
    }
}

TEST(DocumentEdits, RemovesEveryDuplicateWithTheSpaceBeforeIt) {
    Page page("<a id=a href=1 class=k\n   HREF='2' title=t href>x</a><img id=i\tsrc=s>");
    page[u"a"]->removeAttribute(u"HREF");
    page[u"i"]->removeAttribute(u"src");
    EXPECT_EQ(page.written(), "<a id=a class=k title=t>x</a><img id=i>");
    EXPECT_EQ(page[u"a"]->getAttributeNode(u"href"), nullptr);
}

TEST(DocumentEdits, ASetOfADuplicateChangesTheFirstOnly) {
    Page page("<a id=a href=1 href=2>x</a>");
    page[u"a"]->setAttribute(u"href", u"3");
    EXPECT_EQ(page.written(), "<a id=a href=3 href=2>x</a>");
}

TEST(DocumentEdits, ANewAttributeGoesAtTheEndOfTheStartTag) {
    Page page("<a id=a>x</a><img id=i src=s />");
    page[u"a"]->setAttribute(u"HREF", u"#");
    page[u"i"]->setAttribute(u"alt", u"\"quoted\"");
    EXPECT_EQ(page.written(), "<a id=a href=\"#\">x</a><img id=i src=s alt=\"&quot;quoted&quot;\" />");
    // Set again and removed again: the last word counts.
    page[u"a"]->setAttribute(u"href", u"http://e/");
    page[u"i"]->removeAttribute(u"ALT");
    EXPECT_EQ(page.written(), "<a id=a href=\"http://e/\">x</a><img id=i src=s />");
    // After an attribute written "name=" with no value, a new one would become that value.
    Page bare("<input id=i src=>");
    bare[u"i"]->setAttribute(u"usemap", u"#m");
    EXPECT_EQ(bare.written(), "<input id=i src=\"\" usemap=\"#m\">");
}

TEST(DocumentEdits, AnEditedTagKeepsEveryOtherByteAndItsAttributesApart) {
    // Removed right before an attribute written without a space: the space stays, or the tag name
    // would run on into it.
    Page joined("<a id=a href=\"x\"title=t>x</a><b id=b x='1'y z=2/>");
    joined[u"a"]->removeAttribute(u"href");
    joined[u"b"]->removeAttribute(u"x");
    EXPECT_EQ(joined.written(), "<a id=a title=t>x</a><b id=b y z=2/>");
    // A value given to an attribute that had none, before '/': quoted, or the '/' would join it.
    Page slash("<a id=a href/>x</a>");
    slash[u"a"]->setAttribute(u"href", u"http://e/");
    EXPECT_EQ(slash.written(), "<a id=a href=\"http://e/\"/>x</a>");
    // Bytes the charset cannot decode, in the name of an untouched attribute, are written as read.
    const std::string sjis = "<meta charset=shift_jis><a id=a \x96\xfa\xff\x81!x=1 href=old>x</a>";
    auto doc = tarn::dom::loadDocument(sjis);
    doc->getElementById(u"a")->setAttribute(u"href", u"new");
    EXPECT_EQ(doc->writtenBytes(), "<meta charset=shift_jis><a id=a \x96\xfa\xff\x81!x=1 href=new>x</a>");
}

TEST(DocumentEdits, DeletingTakesTheWholeExtentAndTheSubtreeLeavesTheDocument) {
    Page page("<ul><li id=one>one <b id=b>bold</b>\n<li id=two>two</ul><p id=p>para<div>x</div>");
    Element* b = page[u"b"];
    page.doc->deleteNodes(page[u"one"]);
    page.doc->deleteNodes(page[u"p"]);
    EXPECT_EQ(page.written(), "<ul><li id=two>two</ul><div>x</div>");
    EXPECT_EQ(b->getOwnerDocument(), nullptr);
    EXPECT_EQ(page[u"b"], nullptr);
    // An edit inside a deleted element goes with it.
    b->setAttribute(u"class", u"late");
    EXPECT_EQ(page.written(), "<ul><li id=two>two</ul><div>x</div>");
}

TEST(DocumentEdits, UnwrappingKeepsTheContentInPlaceAndInTheDocument) {
    Page page("<p>before <a id=a href=x>link <img id=i src=s> text</a> after</p><a id=open href=y>tail");
    DomUtBase util(page.doc.get());
    Element* img = page[u"i"];
    Element* a = page[u"a"];
    EXPECT_TRUE(util.deleteOnlySpecifiedNode(a, false));
    EXPECT_TRUE(util.deleteOnlySpecifiedNode(page[u"open"], false));
    img->setAttribute(u"src", u"t");
    EXPECT_EQ(page.written(), "<p>before link <img id=i src=t> text after</p>tail");
    EXPECT_EQ(a->getOwnerDocument(), nullptr);
    EXPECT_EQ(img->getOwnerDocument(), page.doc.get());
    EXPECT_EQ(img->getParentNode()->getNodeType(), Node::ELEMENT_NODE);
    EXPECT_EQ(static_cast<Element*>(img->getParentNode())->getTagName(), u"P");
    EXPECT_FALSE(util.deleteOnlySpecifiedNode(a, false));  // already gone
}

}  // namespace
