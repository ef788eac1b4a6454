#pragma once
#include <string>
#include <string_view>

namespace tarn::dom {

// Text as a list cell shows it: runs of white space become one space, none at either end. With
// `controls`, control characters (C0, DEL, C1) count as white space too.
std::u16string displayText(std::u16string_view text, bool controls);

}  // namespace tarn::dom
