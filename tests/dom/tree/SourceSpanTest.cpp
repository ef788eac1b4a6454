#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {

// Pages as editors and people write them, with the usual faults.
const std::vector<std::string> kCorpus = {
    "<!DOCTYPE html>\r\n<html lang=ja>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
    "<title>見出し &amp; more</title>\r\n<link rel=stylesheet href='http://example.com/a.css'>\r\n"
    "<script>if (a < b) document.write('<a href=\"http://x/\">x</a>');</script>\r\n</head>\r\n"
    "<body background=http://example.com/bg.png>\r\n<p>One<p>Two <a href=\"http://example.com/?a=1&amp;b=2\" "
    "HREF=dup title=t>link</a>\r\n<ul><li>a<li>b</ul>\r\n</body>\r\n</html>\r\n",

    "<table border=1 background='http://example.com/t.png'><tr><td background=x.png>a<td>b\n"
    "<tr><th>c</table><form action=http://example.com/send method=post><input type=image src=http://e/i.png "
    "disabled><select><option selected>1<option>2</select></form><!-- a -- comment -->",

    "<div class=outer><b>bold <i>both</b> italic?</i></div><p>unclosed <span>span <div>block</div>"
    "<tarn-panel background=\"http://e/bg\" imgsrc=http://e/i>custom</tarn-panel>"
    "<svg viewBox='0 0 10 10'><a href=\"http://e/svg\"><rect width=1 /></a><foreignObject><p>x</p>"
    "</foreignObject></svg><math><mi>x</mi></math>",

    "<a href=http://e/1 onmouseover=\"swap('<img>')\"><img src=http://e/1.png alt=\"a &quot;b&quot;\"></a>"
    "<iframe src=http://e/frame longdesc=http://e/d>not <b>parsed</b></iframe><textarea><a></textarea>"
    "<a href=x>a<a href=y>b</a></a><p></span></p></br>",
};

bool startsWithIgnoringCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

bool within(SourceSpan inner, SourceSpan outer) { return inner.begin >= outer.begin && inner.end <= outer.end; }

TEST(SourceSpans, TagsAttributesAndExtentsReproduceTheSource) {
    for (const std::string& page : kCorpus) {
        auto doc = tarn::dom::parseHtml(page);
        std::string_view text = doc->sourceText();
        auto slice = [&](SourceSpan s) { return text.substr(s.begin, s.size()); };
        int elements = 0;
        for (Node* n = doc->findNextNode(doc.get(), doc.get(), false, true); n;
             n = doc->findNextNode(n, doc.get(), false, true)) {
            auto* e = static_cast<Element*>(n);
            ++elements;
            SCOPED_TRACE(e->kind().name + " at " + std::to_string(e->startTagSpan().begin));
            if (e->isImplied()) {
                EXPECT_TRUE(e->startTagSpan().empty());
            } else {
                std::string_view tag = slice(e->startTagSpan());
                EXPECT_TRUE(startsWithIgnoringCase(tag, "<" + e->kind().name)) << tag;
                EXPECT_EQ(tag.back(), '>');
            }
            if (e->hasEndTag()) {
                std::string_view end = slice(e->endTagSpan());
                EXPECT_TRUE(startsWithIgnoringCase(end, "</" + e->kind().name)) << end;
                EXPECT_EQ(end.back(), '>');
                EXPECT_EQ(e->extent().end, e->endTagSpan().end);
            }
            for (const Attr& a : e->attributes()) {
                std::string_view whole = slice(a.wholeSpan());
                EXPECT_TRUE(within(a.wholeSpan(), e->startTagSpan()));
                EXPECT_EQ(whole.substr(0, a.nameSpan().size()), slice(a.nameSpan()));
                if (a.hasValue()) {
                    std::string closing = a.quote() ? std::string(1, a.quote()) : "";
                    EXPECT_EQ(whole.substr(whole.size() - a.valueSpan().size() - closing.size()),
                              std::string(slice(a.valueSpan())) + closing);
                }
            }
            // Children lie inside their parent's extent, in order and without overlap.
            std::uint32_t previousEnd = e->startTagSpan().end;
            for (Node* c = e->getFirstChild(); c; c = c->getNextSibling()) {
                if (c->getNodeType() != Node::ELEMENT_NODE)
                    continue;
                auto* child = static_cast<Element*>(c);
                EXPECT_TRUE(within(child->extent(), e->extent())) << child->kind().name;
                EXPECT_GE(child->extent().begin, previousEnd) << child->kind().name;
                previousEnd = child->extent().end;
            }
        }
        EXPECT_GT(elements, 5);
    }
}

TEST(SourceSpans, ImpliedEndsStopWhereTheClosingTokenBegins) {
    auto doc = tarn::dom::parseHtml("<ul><li>one\n  <li>two\n</ul><p>para<div>x</div>");
    std::string_view text = doc->sourceText();
    std::vector<std::string> extents;
    for (Node* n = doc->findNextNode(doc.get(), doc.get(), false, true); n;
         n = doc->findNextNode(n, doc.get(), false, true)) {
        auto* e = static_cast<Element*>(n);
        if (!e->isImplied())
            extents.emplace_back(text.substr(e->extent().begin, e->extent().size()));
    }
    EXPECT_EQ(extents, (std::vector<std::string>{"<ul><li>one\n  <li>two\n</ul>", "<li>one\n  ", "<li>two\n",
                                                 "<p>para", "<div>x</div>"}));
}

TEST(SourceSpans, AttributeValuesResolveReferencesButSpansKeepTheSource) {
    auto doc = tarn::dom::parseHtml("<a id=x href=\"?a=1&amp;b=&#x32;&copy\" title=plain>t</a>");
    Element* a = doc->getElementById(u"x");
    const Attr* href = a->getAttributeNode(u"href");
    EXPECT_EQ(href->getValue(), u"?a=1&b=2\u00a9");
    EXPECT_EQ(doc->sourceText().substr(href->valueSpan().begin, href->valueSpan().size()), "?a=1&amp;b=&#x32;&copy");
    EXPECT_EQ(href->quote(), '"');
    EXPECT_EQ(a->getAttributeNode(u"title")->quote(), 0);
}

}  // namespace
