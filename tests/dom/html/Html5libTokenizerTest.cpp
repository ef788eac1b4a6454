// Runs the html5lib tokenizer suite (tests/data/html5lib-tests/tokenizer/*.test) through the
// tokenizer: tokens only, parse errors are not reported by the tokenizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "hostlibs/dom/html/Tokenizer.h"

namespace tarn::html {
namespace {

using nlohmann::json;

const std::filesystem::path kSuite = std::filesystem::path(TARN_TEST_DATA) / "html5lib-tests" / "tokenizer";

std::vector<std::string> suiteFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kSuite)) {
        if (entry.path().extension() == ".test") files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The second round of unescaping of "doubleEscaped" tests: \uXXXX (surrogate pairs joined).
// Empty when the text holds a lone surrogate, which UTF-8 cannot carry.
std::optional<std::string> unescape(const std::string& text) {
    std::string out;
    const auto hexAt = [&](std::size_t i) -> long {
        if (i + 6 > text.size() || text[i] != '\\' || text[i + 1] != 'u') return -1;
        return std::stol(text.substr(i + 2, 4), nullptr, 16);
    };
    for (std::size_t i = 0; i < text.size();) {
        long unit = hexAt(i);
        if (unit < 0) {
            out += text[i++];
            continue;
        }
        i += 6;
        char32_t c = static_cast<char32_t>(unit);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const long low = hexAt(i);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            c = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 6;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(c, out);
    }
    return out;
}

// Applies `unescape` to every string inside `value`; false when one holds a lone surrogate.
bool unescapeAll(json& value) {
    if (value.is_string()) {
        std::optional<std::string> text = unescape(value.get<std::string>());
        if (!text) return false;
        value = *text;
        return true;
    }
    if (value.is_object()) {
        json result = json::object();
        for (auto& [key, item] : value.items()) {
            std::optional<std::string> name = unescape(key);
            json copy = item;
            if (!name || !unescapeAll(copy)) return false;
            result[*name] = copy;
        }
        value = result;
        return true;
    }
    if (value.is_array()) {
        return std::all_of(value.begin(), value.end(), [](json& item) { return unescapeAll(item); });
    }
    return true;
}

// Adjacent character tokens as one, as the suite writes them.
json mergeCharacters(const json& tokens) {
    json merged = json::array();
    for (const json& token : tokens) {
        if (token[0] == "Character" && !merged.empty() && merged.back()[0] == "Character") {
            merged.back()[1] = merged.back()[1].get<std::string>() + token[1].get<std::string>();
        } else {
            merged.push_back(token);
        }
    }
    return merged;
}

json describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::Doctype:
        return json::array({"DOCTYPE", token.hasName ? json(token.name) : json(nullptr),
                            token.publicId ? json(*token.publicId) : json(nullptr),
                            token.systemId ? json(*token.systemId) : json(nullptr), !token.forceQuirks});
    case TokenKind::StartTag: {
        json attributes = json::object();
        for (const AttributeToken& attribute : token.attributes) {
            if (!attribute.duplicate) attributes[attribute.name] = attribute.value;
        }
        json result = json::array({"StartTag", token.name, attributes});
        if (token.selfClosing) result.push_back(true);
        return result;
    }
    case TokenKind::EndTag: return json::array({"EndTag", token.name});
    case TokenKind::Comment: return json::array({"Comment", token.data});
    case TokenKind::Characters: return json::array({"Character", token.data});
    case TokenKind::EndOfFile: break;
    }
    return nullptr;
}

json tokenize(std::string input, const std::string& initialState, const json& lastStartTag) {
    using Model = Tokenizer::ContentModel;
    const bool cdata = initialState == "CDATA section state";
    // The tokenizer enters a CDATA section only through "<![CDATA[" in foreign content.
    if (cdata) input = "<![CDATA[" + input;
    Tokenizer tokenizer(input);
    if (cdata) tokenizer.setForeignContent(true);
    if (initialState == "PLAINTEXT state") tokenizer.setContentModel(Model::PlainText);
    if (initialState == "RCDATA state") tokenizer.setContentModel(Model::RcData);
    if (initialState == "RAWTEXT state") tokenizer.setContentModel(Model::RawText);
    if (initialState == "Script data state") tokenizer.setContentModel(Model::ScriptData);
    if (lastStartTag.is_string()) tokenizer.setLastStartTag(lastStartTag.get<std::string>());
    json tokens = json::array();
    Token token;
    for (tokenizer.next(token); token.kind != TokenKind::EndOfFile; tokenizer.next(token)) {
        tokens.push_back(describe(token));
    }
    return mergeCharacters(tokens);
}

std::string show(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

class Html5libTokenizer : public testing::TestWithParam<std::string> {};

TEST_P(Html5libTokenizer, ProducesTheExpectedTokens) {
    std::ifstream file(kSuite / GetParam());
    ASSERT_TRUE(file) << GetParam();
    const json suite = json::parse(file);
    if (suite.contains("xmlViolationTests")) {
        GTEST_SKIP() << "expects the tokens coerced into an XML infoset, which the tokenizer does not do";
    }
    int passed = 0, skipped = 0;
    for (const json& test : suite.at("tests")) {
        std::string input = test.at("input");
        json expected = test.at("output");
        if (test.value("doubleEscaped", false)) {
            std::optional<std::string> unescaped = unescape(input);
            if (!unescaped || !unescapeAll(expected)) {
                std::cout << "skipped (lone surrogate, not expressible in UTF-8): "
                          << test.at("description").get<std::string>() << "\n";
                ++skipped;
                continue;
            }
            input = *unescaped;
        }
        expected = mergeCharacters(expected);
        const json states = test.value("initialStates", json::array({"Data state"}));
        for (const json& state : states) {
            const json actual = tokenize(input, state, test.value("lastStartTag", json()));
            if (actual == expected) {
                ++passed;
            } else {
                ADD_FAILURE() << test.at("description").get<std::string>() << " [" << state.get<std::string>()
                              << "]\n  input:    " << show(json(input)) << "\n  expected: " << show(expected)
                              << "\n  actual:   " << show(actual);
            }
        }
    }
    std::cout << GetParam() << ": " << passed << " runs passed, " << skipped << " tests skipped\n";
}

INSTANTIATE_TEST_SUITE_P(Suite, Html5libTokenizer, testing::ValuesIn(suiteFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             return name;
                         });

}  // namespace
}  // namespace tarn::html
