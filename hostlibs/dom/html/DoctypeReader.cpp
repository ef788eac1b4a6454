#include "hostlibs/dom/html/DoctypeReader.h"

#include <string>

#include "hostlibs/dom/html/TokenReset.h"

namespace tarn::html {
namespace {

using namespace std::string_view_literals;

constexpr ByteSet kNameStop(">\0"sv, true);
constexpr ByteSet kGreaterThan(">"sv);
constexpr ByteSet kDoubleQuotedStop("\">\0\r"sv);
constexpr ByteSet kSingleQuotedStop("'>\0\r"sv);

bool isQuote(int c) { return c == '"' || c == '\''; }

class DoctypeReader {
public:
    DoctypeReader(InputCursor& in, std::uint32_t start, Token& token) : in_(in), start_(start), token_(token) {}

    void read() {
        resetToken(token_, TokenKind::Doctype);
        in_.skipWhitespace();
        int c = in_.peek();
        if (c == '>' || c == InputCursor::kEnd) return finish(true);
        token_.hasName = true;
        in_.copyNameUntil(kNameStop, token_.name);
        in_.skipWhitespace();
        c = in_.peek();
        if (c == '>' || c == InputCursor::kEnd) return finish(c == InputCursor::kEnd);

        const bool isPublic = in_.lookingAt("public", true);
        if (!isPublic && !in_.lookingAt("system", true)) return skipRest(true);
        in_.skip(6);
        in_.skipWhitespace();
        if (!isQuote(in_.peek())) return missingIdentifier();
        if (isPublic) {
            if (!readIdentifier(token_.publicId.emplace())) return finish(true);
            in_.skipWhitespace();
            c = in_.peek();
            if (c == '>' || c == InputCursor::kEnd) return finish(c == InputCursor::kEnd);
            if (!isQuote(c)) return skipRest(true);
        }
        if (!readIdentifier(token_.systemId.emplace())) return finish(true);
        in_.skipWhitespace();
        c = in_.peek();
        if (c == '>' || c == InputCursor::kEnd) return finish(c == InputCursor::kEnd);
        skipRest(false);
    }

private:
    // Ends the token, stepping over its '>' if one is under the cursor.
    void finish(bool forceQuirks) {
        if (in_.peek() == '>') in_.skip(1);
        token_.forceQuirks = token_.forceQuirks || forceQuirks;
        token_.span = {start_, in_.pos()};
    }

    // Anything unexpected: the rest up to '>' is passed over.
    void skipRest(bool forceQuirks) {
        in_.skipUntil(kGreaterThan);
        finish(forceQuirks);
    }

    // "PUBLIC" or "SYSTEM" followed by no quoted identifier.
    void missingIdentifier() {
        const int c = in_.peek();
        if (c == '>' || c == InputCursor::kEnd) return finish(true);
        skipRest(true);
    }

    // Reads a quoted identifier with its quotes; false when '>' or the end of the text cuts it short.
    bool readIdentifier(std::string& out) {
        const int quote = in_.peek();
        in_.skip(1);
        const ByteSet& stop = quote == '"' ? kDoubleQuotedStop : kSingleQuotedStop;
        for (;;) {
            in_.copyUntil(stop, out);
            const int c = in_.peek();
            if (c == quote) {
                in_.skip(1);
                return true;
            }
            if (c == '>' || c == InputCursor::kEnd) return false;
            if (c == '\0') {
                out.append(kReplacementCharacter);
                in_.skip(1);
            } else {
                in_.take(out);
            }
        }
    }

    InputCursor& in_;
    std::uint32_t start_;
    Token& token_;
};

}  // namespace

void readDoctype(InputCursor& in, std::uint32_t start, Token& token) {
    DoctypeReader(in, start, token).read();
}

}  // namespace tarn::html
