#include "hostlibs/dom/html/TagReader.h"

#include <string>

#include "hostlibs/dom/html/AttributeNameSet.h"
#include "hostlibs/dom/html/CharacterReference.h"
#include "hostlibs/dom/html/TokenReset.h"

namespace tarn::html {
namespace {

using namespace std::string_view_literals;

constexpr ByteSet kTagNameStop("/>\0"sv, true);
constexpr ByteSet kAttributeNameStop("/>=\0"sv, true);
constexpr ByteSet kDoubleQuotedStop("\"&\0\r"sv);
constexpr ByteSet kSingleQuotedStop("'&\0\r"sv);
constexpr ByteSet kUnquotedStop("&>\0"sv, true);

// Appends a quoted value up to its closing quote, which stays under the cursor.
// Returns false at the end of the text.
bool readQuotedValue(InputCursor& in, char quote, std::string& out) {
    const ByteSet& stop = quote == '"' ? kDoubleQuotedStop : kSingleQuotedStop;
    for (;;) {
        in.copyUntil(stop, out);
        switch (in.peek()) {
        case InputCursor::kEnd: return false;
        case '&': readCharacterReference(in, true, out); break;
        case '\0': out.append(kReplacementCharacter); in.skip(1); break;
        case '\n': in.take(out); break;  // a CR, read as LF
        default: return true;
        }
    }
}

// Appends an unquoted value up to the whitespace, '>' or end of text after it.
void readUnquotedValue(InputCursor& in, std::string& out) {
    for (;;) {
        in.copyUntil(kUnquotedStop, out);
        switch (in.peek()) {
        case '&': readCharacterReference(in, true, out); break;
        case '\0': out.append(kReplacementCharacter); in.skip(1); break;
        default: return;
        }
    }
}

// Reads one attribute from the first character of its name through its value, if it has one.
void readAttribute(InputCursor& in, Token& token, AttributeNameSet& seen) {
    AttributeToken& attribute = token.attributes.emplace_back();
    attribute.nameSpan.begin = in.pos();
    if (in.peek() == '=') {  // a '=' where a name begins is part of the name
        attribute.name.push_back('=');
        in.skip(1);
    }
    in.copyNameUntil(kAttributeNameStop, attribute.name);
    attribute.nameSpan.end = in.pos();
    attribute.duplicate = seen.lastIsRepeated();
    attribute.valueSpan = {attribute.nameSpan.end, attribute.nameSpan.end};
    attribute.whole = attribute.nameSpan;

    const std::uint32_t afterName = in.pos();
    in.skipWhitespace();
    if (in.peek() != '=') {
        // Whitespace up to something else belongs to no attribute; step back so the tag reads on there.
        in.setPos(afterName);
        return;
    }
    in.skip(1);
    attribute.hasValue = true;
    in.skipWhitespace();
    const int c = in.peek();
    if (c == '"' || c == '\'') {
        attribute.quote = static_cast<char>(c);
        in.skip(1);
        attribute.valueSpan.begin = in.pos();
        if (!readQuotedValue(in, attribute.quote, attribute.value)) return;
        attribute.valueSpan.end = in.pos();
        in.skip(1);
        attribute.whole.end = in.pos();
        return;
    }
    attribute.valueSpan.begin = in.pos();
    if (c != '>') readUnquotedValue(in, attribute.value);
    attribute.valueSpan.end = in.pos();
    attribute.whole.end = in.pos();
}

}  // namespace

bool readTag(InputCursor& in, std::uint32_t tagStart, TokenKind kind, Token& token) {
    resetToken(token, kind);
    token.nameSpan.begin = in.pos();
    in.copyNameUntil(kTagNameStop, token.name);
    token.nameSpan.end = in.pos();
    AttributeNameSet seen(token.attributes);
    for (;;) {
        switch (in.peek()) {
        case InputCursor::kEnd:
            return false;
        case '>':
            in.skip(1);
            token.span = {tagStart, in.pos()};
            return true;
        case '/':
            in.skip(1);
            if (in.peek() == '>') token.selfClosing = true;
            break;  // a '/' not before '>' is passed over
        case ' ': case '\n': case '\t': case '\f':
            in.advance();
            break;
        default:
            readAttribute(in, token, seen);
            break;
        }
    }
}

}  // namespace tarn::html
