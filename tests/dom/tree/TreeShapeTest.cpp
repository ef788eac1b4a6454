#include <gtest/gtest.h>

#include <map>

#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Element.h"
#include "tests/dom/tree/TreeDump.h"

namespace {

std::string shape(const char* page) {
    auto doc = tarn::dom::parseHtml(page);
    return tarn::test::dump(doc.get());
}

struct Case {
    const char* page;
    const char* tree;
};

void expectShapes(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(shape(c.page), c.tree) << "page: " << c.page;
}

TEST(TreeShape, ImpliesHtmlHeadAndBodyOnlyWhereMissing) {
    expectShapes({
        {"", ""},
        {"x", "HTML~(BODY~(#))"},
        {"<title>t</title><p>x", "HTML~(HEAD~(TITLE(#)),BODY~(P(#)))"},
        {"<!DOCTYPE html><html><head></head><body></body></html>", "?,HTML(HEAD,BODY)"},
        {"<html><body><p>a</body></html>", "HTML(BODY(P(#)))"},
        {"<head><meta charset=utf-8><link rel=x href=y></head>x", "HTML~(HEAD(META,LINK),BODY~(#))"},
        // A second html or body tag adds no element.
        {"<body><body><p>x", "HTML~(BODY(P(#)))"},
        // White space before the body stays where it is and does not start the body.
        {"<html> <head> </head> <body>x", "HTML(#,HEAD(#),#,BODY(#))"},
        {"<frameset><frame src=a></frameset>", "HTML~(FRAMESET(FRAME))"},
    });
}

TEST(TreeShape, ContentAfterBodyAndHtmlStaysInSourceOrder) {
    expectShapes({
        {"<body>a</body><script src=x></script>", "HTML~(BODY(#),SCRIPT)"},
        {"<html><body>a</body></html><!--c-->", "HTML(BODY(#)),!"},
    });
}

TEST(TreeShape, ParagraphsCloseAtBlockStartsButNotInsideButtons) {
    expectShapes({
        {"<p>a<p>b", "HTML~(BODY~(P(#),P(#)))"},
        {"<p>a<div>b</div>", "HTML~(BODY~(P(#),DIV(#)))"},
        {"<p>a<span>b<ul><li>c</ul>", "HTML~(BODY~(P(#,SPAN(#)),UL(LI(#))))"},
        {"<p><button><div>x</div></button>", "HTML~(BODY~(P(BUTTON(DIV(#)))))"},
        {"<p>a<table><tr><td>b</td></tr></table>", "HTML~(BODY~(P(#),TABLE(TR(TD(#)))))"},
        {"<p>a<h1>b<h2>c", "HTML~(BODY~(P(#),H1(#),H2(#)))"},
    });
}

TEST(TreeShape, ListItemsAndDefinitionsCloseTheirSiblings) {
    expectShapes({
        {"<ul><li>a<li>b</ul>", "HTML~(BODY~(UL(LI(#),LI(#))))"},
        {"<ul><li>a<ul><li>b</ul><li>c</ul>", "HTML~(BODY~(UL(LI(#,UL(LI(#))),LI(#))))"},
        {"<ul><li><div>a<li>b</ul>", "HTML~(BODY~(UL(LI(DIV(#)),LI(#))))"},
        {"<dl><dt>a<dd>b<dt>c</dl>", "HTML~(BODY~(DL(DT(#),DD(#),DT(#))))"},
        {"<select><option>a<option>b<optgroup><option>c<optgroup>d</select>",
         "HTML~(BODY~(SELECT(OPTION(#),OPTION(#),OPTGROUP(OPTION(#)),OPTGROUP(#))))"},
        {"<ruby>a<rb>b<rt>c<rp>d</ruby>", "HTML~(BODY~(RUBY(#,RB(#),RT(#),RP(#))))"},
    });
}

TEST(TreeShape, TablePartsCloseEachOtherWithoutImpliedSections) {
    expectShapes({
        {"<table><tr><td>a<td>b<tr><th>c</table>", "HTML~(BODY~(TABLE(TR(TD(#),TD(#)),TR(TH(#)))))"},
        {"<table><thead><tr><td>a<tbody><tr><td>b<tfoot><tr><td>c</table>",
         "HTML~(BODY~(TABLE(THEAD(TR(TD(#))),TBODY(TR(TD(#))),TFOOT(TR(TD(#))))))"},
        {"<table><caption>c<colgroup><col><tr><td>x</table>",
         "HTML~(BODY~(TABLE(CAPTION(#),COLGROUP(COL),TR(TD(#)))))"},
        // A nested table keeps its cells; no foster parenting moves text out of a table.
        {"<table><tr><td><table><tr><td>in</table>out</table>",
         "HTML~(BODY~(TABLE(TR(TD(TABLE(TR(TD(#))),#)))))"},
        {"<table>text<tr><td>x</table>", "HTML~(BODY~(TABLE(#,TR(TD(#)))))"},
    });
}

TEST(TreeShape, EndTagsNeverCrossAScopeBoundaryAndStrayOnesAreIgnored) {
    expectShapes({
        // </div> inside a cell does not close the div outside the table.
        {"<div><table><tr><td>a</div>b</td></tr></table>c</div>",
         "HTML~(BODY~(DIV(TABLE(TR(TD(#,#))),#)))"},
        {"</p>a</span></br>", "HTML~(BODY~(#))"},
        // Misnested inline markup: </b> closes the i inside it; the later </i> is stray.
        {"<b>1<i>2</b>3</i>", "HTML~(BODY~(B(#,I(#)),#))"},
        {"<object><p>a</object>b", "HTML~(BODY~(OBJECT(P(#)),#))"},
        {"<h1>a</h2>b", "HTML~(BODY~(H1(#),#))"},
        {"<ul><li>a</ul></li>b", "HTML~(BODY~(UL(LI(#)),#))"},
    });
}

TEST(TreeShape, AnAnchorClosesAnOpenAnchor) {
    expectShapes({
        {"<a href=1>a<a href=2>b</a>", "HTML~(BODY~(A(#),A(#)))"},
        {"<a href=1><div><a href=2>b</a></div></a>", "HTML~(BODY~(A(DIV),A(#)))"},
    });
}

TEST(TreeShape, VoidRawTextAndPlainTextElements) {
    expectShapes({
        {"<p>a<br>b<img src=x>c<input>d", "HTML~(BODY~(P(#,BR,#,IMG,#,INPUT,#)))"},
        {"<div/>x", "HTML~(BODY~(DIV(#)))"},
        {"<script>document.write('<a href=x></a>')</script><a>y</a>",
         "HTML~(HEAD~(SCRIPT(#)),BODY~(A(#)))"},
        {"<textarea><b>not bold</b></textarea>", "HTML~(BODY~(TEXTAREA(#)))"},
        {"<style>a{}</style><xmp><p></xmp>", "HTML~(HEAD~(STYLE(#)),BODY~(XMP(#)))"},
        {"<plaintext><p>all text</p>", "HTML~(BODY~(PLAINTEXT(#)))"},
        {"<image src=x>", "HTML~(BODY~(IMG))"},
        {"<tarn-image imgsrc=x>a</tarn-image>", "HTML~(BODY~(TARN-IMAGE(#)))"},
    });
}

TEST(TreeShape, ForeignContentKeepsItsCaseAndEndsAtHtmlTags) {
    expectShapes({
        {"<svg><foreignObject><p>x</p></foreignObject><path/></svg>",
         "HTML~(BODY~(svg(foreignObject(P(#)),path)))"},
        {"<svg><title>t</title><a href=x><rect/></a></svg>", "HTML~(BODY~(svg(title(#),a(rect))))"},
        // An HTML paragraph ends the open SVG.
        {"<svg><g><p>x", "HTML~(BODY~(svg(g),P(#)))"},
        {"<svg><![CDATA[<a>]]></svg>", "HTML~(BODY~(svg(#)))"},
        {"<math><mi>x<b>y</b></mi></math>", "HTML~(BODY~(math(mi(#,B(#)))))"},
    });
}

TEST(TreeShape, ElementsAreNumberedAndNamedAsTheDomReportsThem) {
    auto doc = tarn::dom::parseHtml(
        "<a href=x></a><area><body background=b><embed><form><frame><iframe></iframe><img><input>"
        "<link><script></script><table><tr><td><th></table><object></object><source>"
        "<tarn-panel></tarn-panel><tarn-file></tarn-file><svg><a></a></svg><x-y></x-y>");
    std::map<std::string, int> ids;
    for (Node* n = doc.get(); n; n = doc->findNextNode(n, doc.get(), false, true))
        if (n->getNodeType() == Node::ELEMENT_NODE) {
            auto* e = static_cast<Element*>(n);
            ids[std::string(e->kind().name) + (e->elementNamespace() == ElementNamespace::Svg ? ":svg" : "")] =
                e->getElementID();
        }
    std::map<std::string, int> expected = {
        {"A", 1},          {"AREA", 6},        {"EMBED", 32},     {"FORM", 35},     {"FRAME", 36},
        {"IFRAME", 48},    {"IMG", 49},        {"INPUT", 50},     {"LINK", 57},     {"SCRIPT", 74},
        {"TABLE", 85},     {"TD", 88},         {"TH", 91},        {"OBJECT", 126},  {"SOURCE", 156},
        {"TARN-PANEL", 83}, {"TARN-FILE", 107}, {"a:svg", 0},     {"X-Y", 0},       {"BODY", 14},
    };
    for (const auto& [name, id] : expected)
        EXPECT_EQ(ids[name], id) << name;
}

}  // namespace
