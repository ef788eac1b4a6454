#pragma once
#include <cstddef>
#include <string_view>

namespace tarn::charset {

// The escape sequences by which ISO-2022-JP switches character sets, as glibc reads them:
// ESC ( B (ASCII), ESC ( J (JIS X 0201 Roman), ESC $ @ and ESC $ B (JIS X 0208). An ESC
// followed by anything else is text to glibc, not a switch.
inline constexpr std::size_t kShiftLength = 3;
inline constexpr std::string_view kShiftToAscii = "\x1B(B";

bool isShiftSequence(std::string_view bytes, std::size_t pos);

// The start of the last shift sequence lying wholly inside [from, to), or npos.
std::size_t lastShiftSequence(std::string_view bytes, std::size_t from, std::size_t to);

}  // namespace tarn::charset
