#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "hostlibs/dom/charset/Encoding.h"

namespace tarn::charset {

// The canonical name of the encoding a WHATWG label stands for ("latin1" -> "windows-1252"),
// ignoring ASCII case and surrounding ASCII whitespace. nullopt for a label this layer does not
// support, which callers treat as no declaration at all.
std::optional<std::string> encodingForLabel(std::string_view label);

// The same, as the encoding itself (nullptr when unsupported).
const Encoding* encodingByLabel(std::string_view label);

}  // namespace tarn::charset
