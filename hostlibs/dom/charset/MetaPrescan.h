#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarn::charset {

// The bytes the prescan reads; a declaration further on is not seen.
inline constexpr std::size_t kPrescanLength = 1024;

// The HTML standard's "prescan a byte stream to determine its encoding" over the first
// kPrescanLength bytes: the canonical name of the encoding a <meta charset> or a
// <meta http-equiv="content-type" content="...charset=..."> declares (a UTF-16 XML declaration
// without BOM counts too). A declared UTF-16 reads as UTF-8 and x-user-defined as windows-1252;
// unknown or unsupported labels are passed over. nullopt when nothing usable is declared.
std::optional<std::string> prescanMetaCharset(std::string_view bytes);

}  // namespace tarn::charset
