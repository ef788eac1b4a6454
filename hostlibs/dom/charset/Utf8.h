#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tarn::charset {

// Well-formed UTF-8: no overlong forms, surrogates, values above U+10FFFF or cut-off sequences.
bool isValidUtf8(std::string_view bytes);

struct CodePoint {
    char32_t value;
    std::size_t length;  // bytes read
};

// The code point starting at `pos` (which must be inside `text`); a byte that does not start a
// well-formed sequence reads as U+FFFD of length 1.
CodePoint readUtf8(std::string_view text, std::size_t pos);

void appendUtf8(char32_t c, std::string& out);

// Writes `c` at `out`, which has room for four bytes; returns the end of what was written.
char* writeUtf8(char32_t c, char* out);

}  // namespace tarn::charset
