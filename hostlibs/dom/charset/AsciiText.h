#pragma once
#include <string>
#include <string_view>

namespace tarn::charset {

// ASCII whitespace as HTML and the Encoding Standard mean it: TAB, LF, FF, CR, SPACE.
constexpr bool isAsciiWhitespace(unsigned char c) {
    return c == 0x09 || c == 0x0A || c == 0x0C || c == 0x0D || c == 0x20;
}

constexpr char toAsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

// Tag, attribute and scheme names compare in ASCII lower case.
inline std::string toAsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = toAsciiLower(c);
    return out;
}

constexpr std::string_view trimAsciiWhitespace(std::string_view s) {
    while (!s.empty() && isAsciiWhitespace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && isAsciiWhitespace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

}  // namespace tarn::charset
