#pragma once
#include <cstdint>

#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Reads a start or end tag from its name (under the cursor; the tag's '<' is at `tagStart`)
// through its '>', attributes included. Returns false when the text ends first: such a tag makes
// no token.
bool readTag(InputCursor& in, std::uint32_t tagStart, TokenKind kind, Token& token);

}  // namespace tarn::html
