// Source spans of tokens over realistic pages (tests/data/html-spans) and a few exact cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hostlibs/dom/html/Tokenizer.h"

namespace tarn::html {
namespace {

using Model = Tokenizer::ContentModel;
using namespace std::string_literals;

std::string readPage(const std::string& name) {
    std::ifstream file(std::filesystem::path(TARN_TEST_DATA) / "html-spans" / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string_view slice(std::string_view text, SourceSpan span) { return text.substr(span.begin, span.size()); }

// Tokenizes a page the way the tree builder drives the tokenizer, roughly: raw text elements
// switch the content model, and inside <svg> or <math> the content is foreign.
std::vector<Token> tokenizePage(std::string_view text) {
    Tokenizer tokenizer(text);
    std::vector<Token> tokens;
    int foreignDepth = 0;
    Token token;
    do {
        tokenizer.next(token);
        tokens.push_back(token);
        const bool isForeignRoot = token.name == "svg" || token.name == "math";
        if (token.kind == TokenKind::StartTag && isForeignRoot && !token.selfClosing) ++foreignDepth;
        if (token.kind == TokenKind::EndTag && isForeignRoot && foreignDepth > 0) --foreignDepth;
        tokenizer.setForeignContent(foreignDepth > 0);
        if (token.kind != TokenKind::StartTag || foreignDepth > 0) continue;
        if (token.name == "title" || token.name == "textarea") tokenizer.setContentModel(Model::RcData);
        if (token.name == "style" || token.name == "xmp" || token.name == "iframe" || token.name == "noscript") {
            tokenizer.setContentModel(Model::RawText);
        }
        if (token.name == "script") tokenizer.setContentModel(Model::ScriptData);
        if (token.name == "plaintext") tokenizer.setContentModel(Model::PlainText);
    } while (token.kind != TokenKind::EndOfFile);
    return tokens;
}

void checkAttributeSpans(std::string_view text, const AttributeToken& attribute) {
    SCOPED_TRACE("attribute " + attribute.name);
    EXPECT_EQ(attribute.whole.begin, attribute.nameSpan.begin);
    EXPECT_EQ(lower(slice(text, attribute.nameSpan)), attribute.name);
    if (!attribute.hasValue) {
        EXPECT_EQ(attribute.valueSpan, (SourceSpan{attribute.nameSpan.end, attribute.nameSpan.end}));
        EXPECT_EQ(attribute.whole, attribute.nameSpan);
        return;
    }
    const std::uint32_t quoted = attribute.quote != 0 ? 1 : 0;
    std::string between(slice(text, {attribute.nameSpan.end, attribute.valueSpan.begin - quoted}));
    std::erase_if(between, [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; });
    EXPECT_EQ(between, "=");
    if (quoted) {
        EXPECT_EQ(text[attribute.valueSpan.begin - 1], attribute.quote);
        EXPECT_EQ(text[attribute.valueSpan.end], attribute.quote);
    }
    EXPECT_EQ(attribute.whole.end, attribute.valueSpan.end + quoted);
    const std::string_view written = slice(text, attribute.valueSpan);
    if (written.find_first_of("&\r") == std::string_view::npos) {
        EXPECT_EQ(attribute.value, written);
    }
}

void checkTokenSpans(std::string_view text, const Token& token) {
    const std::string_view source = slice(text, token.span);
    SCOPED_TRACE(std::string(source));
    switch (token.kind) {
    case TokenKind::StartTag:
    case TokenKind::EndTag: {
        const std::uint32_t opening = token.kind == TokenKind::StartTag ? 1 : 2;
        EXPECT_EQ(source.substr(0, opening), opening == 1 ? "<" : "</");
        EXPECT_EQ(token.nameSpan.begin, token.span.begin + opening);
        EXPECT_EQ(lower(slice(text, token.nameSpan)), token.name);
        EXPECT_EQ(source.back(), '>');
        for (const AttributeToken& attribute : token.attributes) checkAttributeSpans(text, attribute);
        break;
    }
    case TokenKind::Comment:
    case TokenKind::Doctype:
        EXPECT_EQ(source.front(), '<');
        EXPECT_EQ(source.back(), '>');
        break;
    case TokenKind::Characters:
        EXPECT_FALSE(token.data.empty());
        if (source.find_first_of("&\r<") == std::string_view::npos) {
            EXPECT_EQ(token.data, source);
        }
        break;
    case TokenKind::EndOfFile:
        EXPECT_EQ(token.span, (SourceSpan{static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(text.size())}));
        break;
    }
}

class CorpusPage : public testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(CorpusPage, TokensTileThePageAndTheirPartsReproduceTheSource) {
    const auto& [name, crlf] = GetParam();
    const std::string page = readPage(name);
    ASSERT_FALSE(page.empty()) << name;
    const std::string text = crlf ? withCrLf(page) : page;
    const std::vector<Token> tokens = tokenizePage(text);
    std::uint32_t end = 0;
    for (const Token& token : tokens) {
        EXPECT_EQ(token.span.begin, end) << "gap or overlap before " << slice(text, token.span);
        end = token.span.end;
        checkTokenSpans(text, token);
    }
    EXPECT_EQ(end, text.size());
}

INSTANTIATE_TEST_SUITE_P(Pages, CorpusPage,
                         testing::Combine(testing::Values("article.html", "svg.html", "legacy.html"), testing::Bool()),
                         [](const auto& info) {
                             std::string name = std::get<0>(info.param);
                             name = name.substr(0, name.find('.'));
                             return name + (std::get<1>(info.param) ? "_crlf" : "_lf");
                         });

// What the corpus pages must come to, beyond their spans.
TEST(CorpusContent, RawTextElementsHideTheirMarkup) {
    const std::string text = readPage("legacy.html");
    std::vector<std::string> anchors;
    std::vector<std::string> scripts;
    const std::vector<Token> tokens = tokenizePage(text);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == TokenKind::StartTag && tokens[i].name == "a") {
            for (const AttributeToken& attribute : tokens[i].attributes) anchors.push_back(attribute.value);
        }
        if (tokens[i].kind == TokenKind::StartTag && tokens[i].name == "script") scripts.push_back(tokens[i + 1].data);
    }
    EXPECT_EQ(anchors, (std::vector<std::string>{"page.html?a=1&b=2", "mailto:someone@example.com",
                                                 "javascript:void(0)", "return false;", "spaced.html", "a.html",
                                                 "b.html"}));
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_NE(scripts[0].find("document.write(\"<script>x()</script>\"); if (a<!--b) {} }\n// -->\n"),
              std::string::npos);
    EXPECT_EQ(tokens[tokens.size() - 2].data, "\n<a href=\"after-plaintext\">all text from here</a>\n");
}

TEST(TokenSpans, AttributesOfEveryForm) {
    const std::string text = "<a href=\"x&amp;y\" title='t' data-x=1 hidden HREF = dup b= >";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    ASSERT_EQ(token.kind, TokenKind::StartTag);
    ASSERT_EQ(token.attributes.size(), 6u);
    const auto& a = token.attributes;
    EXPECT_EQ(a[0].value, "x&y");
    EXPECT_EQ(slice(text, a[0].valueSpan), "x&amp;y");
    EXPECT_EQ(slice(text, a[0].whole), "href=\"x&amp;y\"");
    EXPECT_EQ(a[0].quote, '"');
    EXPECT_EQ(slice(text, a[1].whole), "title='t'");
    EXPECT_EQ(a[1].quote, '\'');
    EXPECT_EQ(slice(text, a[2].whole), "data-x=1");
    EXPECT_EQ(a[2].quote, 0);
    EXPECT_TRUE(a[2].hasValue);
    EXPECT_FALSE(a[3].hasValue);
    EXPECT_EQ(a[3].valueSpan, (SourceSpan{a[3].nameSpan.end, a[3].nameSpan.end}));
    EXPECT_EQ(a[4].name, "href");
    EXPECT_TRUE(a[4].duplicate);
    EXPECT_FALSE(a[0].duplicate);
    EXPECT_EQ(slice(text, a[4].whole), "HREF = dup");
    // "b=" with nothing after it: an empty value where one would begin.
    EXPECT_TRUE(a[5].hasValue);
    EXPECT_EQ(a[5].value, "");
    EXPECT_EQ(a[5].valueSpan, (SourceSpan{static_cast<std::uint32_t>(text.size() - 1), static_cast<std::uint32_t>(text.size() - 1)}));
}

TEST(TokenSpans, ReferencesInAttributesFollowTheHistoricalRule) {
    const std::string text = "<a href=\"?x=1&copy=2&copy;&amp&ampx&not;&notit\">";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    ASSERT_EQ(token.attributes.size(), 1u);
    EXPECT_EQ(token.attributes[0].value, "?x=1&copy=2\u00A9&&ampx\u00AC&notit");
}

TEST(TokenSpans, TextIsOneTokenAcrossReferencesAndLineBreaks) {
    const std::string text = "a &amp; b\r\n&#169;\rc\0d</>e<p>"s;
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    ASSERT_EQ(token.kind, TokenKind::Characters);
    EXPECT_EQ(token.data, "a & b\n\u00A9\nc\0de"s);
    EXPECT_EQ(token.span, (SourceSpan{0, static_cast<std::uint32_t>(text.find("<p>"))}));
    tokenizer.next(token);
    EXPECT_EQ(token.kind, TokenKind::StartTag);
    EXPECT_EQ(slice(text, token.span), "<p>");
}

TEST(TokenSpans, CrLfInsideAValueIsOneLineFeed) {
    const std::string text = "<p title=\"a\r\nb\">\r\n";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    EXPECT_EQ(token.attributes.at(0).value, "a\nb");
    EXPECT_EQ(slice(text, token.attributes.at(0).valueSpan), "a\r\nb");
    tokenizer.next(token);
    EXPECT_EQ(token.data, "\n");
    EXPECT_EQ(token.span, (SourceSpan{16, 18}));
}

TEST(TokenSpans, ScriptTextKeepsTagsItWrites) {
    const std::string text = "<script>document.write('<a href=x>')</script ><p>";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    tokenizer.setContentModel(Model::ScriptData);
    tokenizer.next(token);
    EXPECT_EQ(token.kind, TokenKind::Characters);
    EXPECT_EQ(token.data, "document.write('<a href=x>')");
    tokenizer.next(token);
    EXPECT_EQ(token.kind, TokenKind::EndTag);
    EXPECT_EQ(slice(text, token.span), "</script >");
    tokenizer.next(token);
    EXPECT_EQ(token.kind, TokenKind::StartTag);  // back in data after the end tag
}

// The content model set after a start tag applies even when text before the tag was returned first.
TEST(TokenSpans, ContentModelAppliesAfterATagThatFollowedText) {
    const std::string text = "x<title>a<b>&lt;</title>y";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    EXPECT_EQ(token.data, "x");
    tokenizer.next(token);
    EXPECT_EQ(token.name, "title");
    tokenizer.setContentModel(Model::RcData);
    tokenizer.next(token);
    EXPECT_EQ(token.data, "a<b><");
    tokenizer.next(token);
    EXPECT_EQ(slice(text, token.span), "</title>");
}

TEST(TokenSpans, CdataSectionIsTextOnlyInForeignContent) {
    const std::string text = "<svg><![CDATA[a<b]]>c</svg><![CDATA[d]]>";
    Tokenizer tokenizer(text);
    Token token;
    tokenizer.next(token);
    tokenizer.setForeignContent(true);
    tokenizer.next(token);
    EXPECT_EQ(token.data, "a<bc");
    EXPECT_EQ(slice(text, token.span), "<![CDATA[a<b]]>c");
    tokenizer.next(token);
    tokenizer.setForeignContent(false);
    tokenizer.next(token);
    EXPECT_EQ(token.kind, TokenKind::Comment);
    EXPECT_EQ(token.data, "[CDATA[d]]");
}

}  // namespace
}  // namespace tarn::html
