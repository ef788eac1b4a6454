#pragma once
#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Reads the tag, comment or doctype whose '<' is under the cursor (where readText stopped).
// Returns false when the text ends inside a tag: such a tag makes no token.
bool readMarkup(InputCursor& in, Token& token);

}  // namespace tarn::html
