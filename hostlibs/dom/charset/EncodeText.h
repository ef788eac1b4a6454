#pragma once
#include <string>
#include <string_view>

namespace tarn::charset {

// UTF-8 text written in an encoding (canonical name, as DecodedPage::encoding gives it). A
// character the encoding cannot hold is written as the reference "&#N;" (decimal code point), and
// so is a byte of `utf8` that is not UTF-8 (as &#65533;). Writes no byte order mark; ISO-2022-JP
// output starts and ends in ASCII. Throws std::invalid_argument for an unknown encoding.
std::string encodeText(std::string_view utf8, std::string_view encoding);

}  // namespace tarn::charset
