// Hostile and broken input: the tokenizer must end, stay inside the text and give a defined result.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "hostlibs/dom/html/Tokenizer.h"

namespace tarn::html {
namespace {

using Model = Tokenizer::ContentModel;
using namespace std::string_literals;

// Reads every token up to the end; checks that spans move forward and stay inside the text.
std::vector<Token> readAll(std::string_view text, Model model = Model::Data, bool foreign = false) {
    Tokenizer tokenizer(text);
    tokenizer.setContentModel(model);
    tokenizer.setLastStartTag("script");
    tokenizer.setForeignContent(foreign);
    std::vector<Token> tokens;
    std::uint32_t end = 0;
    Token token;
    do {
        tokenizer.next(token);
        EXPECT_LE(end, token.span.begin);
        EXPECT_LE(token.span.begin, token.span.end);
        EXPECT_LE(token.span.end, text.size());
        end = token.span.end;
        tokens.push_back(token);
    } while (token.kind != TokenKind::EndOfFile && tokens.size() <= text.size() + 1);
    EXPECT_EQ(tokens.back().kind, TokenKind::EndOfFile);
    return tokens;
}

TEST(TokenizerBadInput, EmptyTextGivesOnlyTheEndAgainAndAgain) {
    Tokenizer tokenizer("");
    Token token;
    for (int i = 0; i < 3; ++i) {
        tokenizer.next(token);
        EXPECT_EQ(token.kind, TokenKind::EndOfFile);
        EXPECT_EQ(token.span, (SourceSpan{0, 0}));
    }
}

TEST(TokenizerBadInput, NulBytesAreKeptInTextAndReplacedInMarkup) {
    const std::string text = "a\0b<x\0y z\0=\"\0\"><!--\0--><!DOCTYPE \0>"s;
    const std::vector<Token> tokens = readAll(text);
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].data, "a\0b"s);
    EXPECT_EQ(tokens[1].name, "x\uFFFDy");
    EXPECT_EQ(tokens[1].attributes.at(0).name, "z\uFFFD");
    EXPECT_EQ(tokens[1].attributes.at(0).value, "\uFFFD");
    EXPECT_EQ(tokens[2].data, "\uFFFD");
    EXPECT_EQ(tokens[3].name, "\uFFFD");
    EXPECT_EQ(readAll("<script>\0</script>"s, Model::ScriptData)[0].data, "<script>\uFFFD");
}

TEST(TokenizerBadInput, InvalidUtf8BytesPassThroughOneByOne) {
    const std::string text = "\xFF\xC3<a \xE2\x82=\x80>\xF0\x9F";
    const std::vector<Token> tokens = readAll(text);
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0].data, "\xFF\xC3");
    EXPECT_EQ(tokens[1].attributes.at(0).name, "\xE2\x82");
    EXPECT_EQ(tokens[1].attributes.at(0).value, "\x80");
    EXPECT_EQ(tokens[2].data, "\xF0\x9F");
}

TEST(TokenizerBadInput, HundredThousandAttributesAreAllKeptWithRepeatsMarked) {
    constexpr int kCount = 100000;
    std::string text = "<div";
    for (int i = 0; i < kCount; ++i) text += " a" + std::to_string(i % (kCount / 2)) + "=v";
    text += ">";
    const std::vector<Token> tokens = readAll(text);
    ASSERT_EQ(tokens.size(), 2u);
    const std::vector<AttributeToken>& attributes = tokens[0].attributes;
    ASSERT_EQ(attributes.size(), static_cast<std::size_t>(kCount));
    int repeated = 0;
    for (int i = 0; i < kCount; ++i) {
        repeated += attributes[i].duplicate ? 1 : 0;
        EXPECT_EQ(attributes[i].duplicate, i >= kCount / 2) << i;
    }
    EXPECT_EQ(repeated, kCount / 2);
    EXPECT_EQ(tokens[0].span.end, text.size());
}

TEST(TokenizerBadInput, MegabyteValuesAndCommentsAreRead) {
    const std::string big(1 << 20, 'x');
    std::vector<Token> tokens = readAll("<a href=\"" + big + "\">" + "<!--" + big + "-->");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].attributes.at(0).value.size(), big.size());
    EXPECT_EQ(tokens[1].data.size(), big.size());
    EXPECT_EQ(readAll("<a href=" + big + ">")[0].attributes.at(0).value.size(), big.size());
}

TEST(TokenizerBadInput, TextCutOffInsideMarkupEndsDefinedly) {
    // A tag cut off by the end makes no token; comments and doctypes are returned as far as they go.
    EXPECT_EQ(readAll("ab<a href=\"x").size(), 2u);
    EXPECT_EQ(readAll("<a href=\"x")[0].kind, TokenKind::EndOfFile);
    EXPECT_EQ(readAll("</p")[0].kind, TokenKind::EndOfFile);
    const std::vector<Token> comment = readAll("<!-- never closed");
    EXPECT_EQ(comment[0].kind, TokenKind::Comment);
    EXPECT_EQ(comment[0].data, " never closed");
    EXPECT_EQ(comment[0].span.end, 17u);
    const std::vector<Token> doctype = readAll("<!DOCTYPE html PUBLIC \"-//W3C");
    EXPECT_EQ(doctype[0].kind, TokenKind::Doctype);
    EXPECT_TRUE(doctype[0].forceQuirks);
    EXPECT_EQ(doctype[0].publicId, "-//W3C");
    EXPECT_EQ(readAll("<").at(0).data, "<");
    EXPECT_EQ(readAll("</").at(0).data, "</");
    EXPECT_EQ(readAll("&#x").at(0).data, "&#x");
    EXPECT_EQ(readAll("<![CDATA[abc", Model::Data, true).at(0).data, "abc");
    EXPECT_EQ(readAll("<!--<script>", Model::ScriptData).at(0).data, "<!--<script>");
}

TEST(TokenizerBadInput, ReferencesOutOfRangeBecomeReplacementCharacters) {
    EXPECT_EQ(readAll("&#0;&#xD800;&#x110000;&#99999999999999999999;&#x80;&#x81;")[0].data,
              "\uFFFD\uFFFD\uFFFD\uFFFD\u20AC\u0081");
}

// Long runs of the characters that steer the tokenizer: every model must stay linear and end.
TEST(TokenizerBadInput, LongRunsOfMarkupCharacters) {
    for (const std::string piece : {"<", "</", "<!", "<!--", "&", "&#", "-", "]", "\r", "<a ", "a=", "<!-<"}) {
        std::string text;
        while (text.size() < 200000) text += piece;
        for (Model model : {Model::Data, Model::RcData, Model::RawText, Model::ScriptData, Model::PlainText}) {
            readAll(text, model, piece == "]");
        }
    }
}

TEST(TokenizerBadInput, RandomBytesInEveryModel) {
    std::mt19937 random(20240607);
    const std::string alphabet = "<>/!-=\"'&#;x?[]CDATAscript \r\n\0\xC3\xFF"s;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 300; ++round) {
        std::string text(200, ' ');
        for (char& c : text) c = alphabet[pick(random)];
        for (Model model : {Model::Data, Model::RcData, Model::RawText, Model::ScriptData, Model::PlainText}) {
            readAll(text, model, round % 2 == 0);
        }
    }
}

}  // namespace
}  // namespace tarn::html
