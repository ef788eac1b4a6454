#include "hostlibs/dom/html/CharacterReference.h"

#include <algorithm>
#include <cstdint>

#include "hostlibs/dom/charset/Utf8.h"
#include "hostlibs/dom/html/NamedReferenceTable.h"

namespace tarn::html {
namespace {

// What "&#128;" to "&#159;" stand for: the characters windows-1252 puts there, which is what
// pages writing them mean. Zero where the code point stays as it is.
constexpr char16_t kC1Replacements[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char32_t numericReferenceValue(std::uint32_t number) {
    if (number == 0 || number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF)) return 0xFFFD;
    if (number >= 0x80 && number <= 0x9F && kC1Replacements[number - 0x80] != 0) {
        return kC1Replacements[number - 0x80];
    }
    return number;
}

int hexDigitValue(int c) {
    if (isAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&#" is under the cursor. Returns false, moving nothing, when no digit follows.
bool readNumericReference(InputCursor& in, std::string& out) {
    std::uint32_t ahead = 2;
    const bool hex = in.rawAt(ahead) == 'x' || in.rawAt(ahead) == 'X';
    if (hex) ++ahead;
    const std::uint32_t firstDigit = ahead;
    std::uint32_t number = 0;
    for (;; ++ahead) {
        const int c = in.rawAt(ahead);
        const int digit = hex ? hexDigitValue(c) : (isAsciiDigit(c) ? c - '0' : -1);
        if (digit < 0) break;
        // Saturate: any number past the last code point means the same U+FFFD.
        number = std::min<std::uint32_t>(number * (hex ? 16 : 10) + digit, 0x110000);
    }
    if (ahead == firstDigit) return false;
    if (in.rawAt(ahead) == ';') ++ahead;
    charset::appendUtf8(numericReferenceValue(number), out);
    in.skip(ahead);
    return true;
}

// The longest name of the table that the text starts with.
const NamedReferenceEntry* longestNamedReference(std::string_view text) {
    const NamedReferenceEntry* low = namedReferences;
    const NamedReferenceEntry* high = namedReferences + namedReferenceCount;
    const NamedReferenceEntry* longest = nullptr;
    for (std::size_t k = 0; k < text.size() && low < high; ++k) {
        // All names in [low, high) share text's first k bytes, so they are sorted by byte k
        // (a name of length k first).
        const auto byteAt = [k](const NamedReferenceEntry& e) {
            return k < e.nameLength ? static_cast<int>(static_cast<unsigned char>(e.name()[k])) : -1;
        };
        const int c = static_cast<unsigned char>(text[k]);
        low = std::partition_point(low, high, [&](const NamedReferenceEntry& e) { return byteAt(e) < c; });
        high = std::partition_point(low, high, [&](const NamedReferenceEntry& e) { return byteAt(e) == c; });
        if (low < high && low->nameLength == k + 1) longest = low;
    }
    return longest;
}

// '&' is under the cursor, followed by something other than '#'. Returns false, moving nothing,
// when the reference stays unresolved.
bool readNamedReference(InputCursor& in, bool inAttribute, std::string& out) {
    constexpr std::size_t kLongestName = 32;
    const std::string_view rest = in.text().substr(in.pos() + 1, kLongestName);
    const NamedReferenceEntry* entry = longestNamedReference(rest);
    if (entry == nullptr) return false;
    const std::string_view name = entry->name();
    if (inAttribute && name.back() != ';') {
        // Old pages write query strings like "?a=1&copy=2" in links: leave those alone.
        const int next = in.rawAt(1 + name.size());
        if (next == '=' || isAsciiAlphanumeric(next)) return false;
    }
    out.append(entry->value());
    in.skip(static_cast<std::uint32_t>(1 + name.size()));
    return true;
}

}  // namespace

void readCharacterReference(InputCursor& in, bool inAttribute, std::string& out) {
    const bool resolved = in.rawAt(1) == '#' ? readNumericReference(in, out)
                                              : readNamedReference(in, inAttribute, out);
    if (!resolved) {
        out.push_back('&');
        in.skip(1);
    }
}

}  // namespace tarn::html
