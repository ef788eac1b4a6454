#pragma once
#include <string>

#include "hostlibs/dom/html/InputCursor.h"

namespace tarn::html {

// Reads the character reference at the '&' under the cursor, appends what it stands for to `out`
// and steps over it. Where the text is no reference (or, in an attribute value, a legacy name
// without ';' runs on into '=' or an alphanumeric), appends the '&' alone and steps over it only:
// what follows then reads as ordinary text, exactly as written.
void readCharacterReference(InputCursor& in, bool inAttribute, std::string& out);

}  // namespace tarn::html
