#pragma once
#include <array>
#include <string_view>

namespace tarn::html {

// The tokenizer reads UTF-8 byte by byte: every character that steers it is ASCII, so the bytes of
// other characters (and stray invalid bytes) simply pass through as "anything else".

inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

constexpr bool isAsciiUpper(int c) { return c >= 'A' && c <= 'Z'; }
constexpr bool isAsciiAlpha(int c) { return isAsciiUpper(c) || (c >= 'a' && c <= 'z'); }
constexpr bool isAsciiDigit(int c) { return c >= '0' && c <= '9'; }
constexpr bool isAsciiAlphanumeric(int c) { return isAsciiAlpha(c) || isAsciiDigit(c); }
constexpr char toAsciiLower(char c) { return isAsciiUpper(c) ? static_cast<char>(c + ('a' - 'A')) : c; }

// Tab, LF, FF and space; CR too, since the input stream reads every CR as LF.
constexpr bool isHtmlWhitespace(int c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
}

// The bytes at which a bulk copy has to stop and look closer.
class ByteSet {
public:
    constexpr explicit ByteSet(std::string_view bytes, bool withWhitespace = false) {
        for (char c : bytes) member_[static_cast<unsigned char>(c)] = true;
        if (withWhitespace) {
            for (char c : std::string_view(" \n\t\f\r")) member_[static_cast<unsigned char>(c)] = true;
        }
    }
    constexpr bool contains(unsigned char c) const { return member_[c]; }

private:
    std::array<bool, 256> member_{};
};

}  // namespace tarn::html
