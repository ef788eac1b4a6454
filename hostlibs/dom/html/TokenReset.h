#pragma once
#include <utility>

#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Empties a token for reuse as `kind`, keeping the capacity of its strings and vectors.
inline void resetToken(Token& token, TokenKind kind) {
    token.kind = kind;
    token.span = {};
    token.name.clear();
    token.nameSpan = {};
    token.attributes.clear();
    token.selfClosing = false;
    token.data.clear();
    token.forceQuirks = false;
    token.hasName = false;
    token.publicId.reset();
    token.systemId.reset();
}

// Exchanges two tokens member by member: cheaper than std::swap's three moves of every member.
inline void swapTokens(Token& a, Token& b) {
    using std::swap;
    swap(a.kind, b.kind);
    swap(a.span, b.span);
    a.name.swap(b.name);
    swap(a.nameSpan, b.nameSpan);
    a.attributes.swap(b.attributes);
    swap(a.selfClosing, b.selfClosing);
    a.data.swap(b.data);
    swap(a.forceQuirks, b.forceQuirks);
    swap(a.hasName, b.hasName);
    a.publicId.swap(b.publicId);
    a.systemId.swap(b.systemId);
}

}  // namespace tarn::html
