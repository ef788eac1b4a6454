#pragma once
#include <cstdint>

#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Reads a doctype from just after its "<!DOCTYPE" (the '<' is at `start`) through its '>', or to
// the end of the text; whatever makes it malformed sets force-quirks as the WHATWG standard says.
void readDoctype(InputCursor& in, std::uint32_t start, Token& token);

}  // namespace tarn::html
