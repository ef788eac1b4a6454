#pragma once

#include <string>
#include <string_view>

#include "platform/win/WinExport.h"

// UTF-8 <-> UTF-16, for CString and for the libraries that keep UTF-8 and hand UTF-16 to the module.
namespace win {

// Decodes as the WHATWG Encoding Standard's UTF-8 decoder does: every maximal subpart of an ill-formed
// sequence (and a sequence cut off at the end) becomes one U+FFFD.
WINAPI_EXPORT std::u16string DecodeUtf8(std::string_view bytes);

// Appends one code point (a scalar value) as UTF-8.
WINAPI_EXPORT void AppendUtf8(std::string& out, char32_t cp);

// Encodes UTF-16; a surrogate that is not half of a pair becomes U+FFFD, since UTF-8 cannot carry it.
WINAPI_EXPORT std::string EncodeUtf8(std::u16string_view text);

}  // namespace win
