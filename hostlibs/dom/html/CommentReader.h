#pragma once
#include <cstdint>

#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Reads a comment from just after its "<!--" through the "-->" that ends it, or to the end of the
// text. The comment's '<' is at `start`.
void readComment(InputCursor& in, std::uint32_t start, Token& token);

// Reads what the tokenizer takes as a comment although it is not written as one ("<?xml ...>",
// "<!x>", "</ x>"): its text runs from the cursor to the next '>' or the end of the text.
void readBogusComment(InputCursor& in, std::uint32_t start, Token& token);

}  // namespace tarn::html
