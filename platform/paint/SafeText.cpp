#include "platform/paint/SafeText.h"

#include <algorithm>

#include "platform/win/TextCells.h"

namespace paint {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point at text[i], a lone surrogate as itself; advances i past it.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t unit = text[i++];
    if (IsHighSurrogate(unit) && i < text.size() && IsLowSurrogate(text[i]))
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
    return unit;
}

bool IsBidiControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool IsNoncharacter(char32_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE; }

void AppendCodePoint(StyledText& out, char32_t c, std::uint8_t attrs) {
    if (c < 0x20 || c == 0x7F) {
        out.push_back({U'^', attrs});
        out.push_back({c == 0x7F ? U'?' : char32_t(c + 0x40), attrs});
    } else if ((c >= 0x80 && c <= 0x9F) || IsBidiControl(c) || c == 0x2028 || c == 0x2029) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        out.push_back({U'<', attrs});
        out.push_back({U'U', attrs});
        out.push_back({U'+', attrs});
        for (int shift = 12; shift >= 0; shift -= 4)
            out.push_back({char32_t(kHex[(c >> shift) & 0xF]), attrs});
        out.push_back({U'>', attrs});
    } else if ((c >= 0xD800 && c <= 0xDFFF) || IsNoncharacter(c)) {
        out.push_back({U'\uFFFD', attrs});
    } else {
        out.push_back({c, attrs});
    }
}

}  // namespace

void AppendSafe(StyledText& out, std::u16string_view text, std::uint8_t attrs) {
    // Grown as push_back grows it: callers append a character at a time, and an exact reserve each time
    // would copy the whole line for every character.
    if (out.capacity() < out.size() + text.size())
        out.reserve(std::max(out.size() + text.size(), 2 * out.capacity()));
    for (std::size_t i = 0; i < text.size();)
        AppendCodePoint(out, NextCodePoint(text, i), attrs);
}

StyledText SafeText(std::u16string_view text, std::uint8_t attrs) {
    StyledText out;
    AppendSafe(out, text, attrs);
    return out;
}

StyledText Label(std::u16string_view text, std::uint8_t attrs, bool prefix) {
    if (!prefix)
        return SafeText(text, attrs);
    StyledText out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = NextCodePoint(text, i);
        std::uint8_t glyphAttrs = attrs;
        if (c == U'&') {
            if (i == text.size())
                break;
            c = NextCodePoint(text, i);
            if (c != U'&')
                glyphAttrs |= kUnderline;
        }
        AppendCodePoint(out, c, glyphAttrs);
    }
    return out;
}

int StyledCells(const StyledText& text) {
    int cells = 0;
    for (const Glyph& glyph : text)
        cells += CharCells(glyph.c);
    return cells;
}

}  // namespace paint
