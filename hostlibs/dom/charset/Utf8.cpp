#include "hostlibs/dom/charset/Utf8.h"

#include <cstdint>
#include <cstring>

namespace tarn::charset {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed sequence at `pos`, or 0 (the ranges of Unicode's table of
// well-formed byte sequences).
std::size_t sequenceLength(const unsigned char* s, std::size_t left) {
    const unsigned char lead = s[0];
    if (lead < 0x80) return 1;
    auto trail = [&](std::size_t i, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
        return i < left && s[i] >= lo && s[i] <= hi;
    };
    if (lead >= 0xC2 && lead <= 0xDF) return trail(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char lo = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = lead == 0xED ? 0x9F : 0xBF;
        return trail(1, lo, hi) && trail(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char lo = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = lead == 0xF4 ? 0x8F : 0xBF;
        return trail(1, lo, hi) && trail(2) && trail(3) ? 4 : 0;
    }
    return 0;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        // Pages are mostly ASCII: step over it eight bytes at a time.
        if (size - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t length = sequenceLength(s + i, size - i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

CodePoint readUtf8(std::string_view text, std::size_t pos) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const std::size_t length = sequenceLength(s, text.size() - pos);
    switch (length) {
    case 1:
        return {s[0], 1};
    case 2:
        return {static_cast<char32_t>((s[0] & 0x1F) << 6 | (s[1] & 0x3F)), 2};
    case 3:
        return {static_cast<char32_t>((s[0] & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F)), 3};
    case 4:
        return {static_cast<char32_t>((s[0] & 0x07) << 18 | (s[1] & 0x3F) << 12 | (s[2] & 0x3F) << 6 |
                                      (s[3] & 0x3F)),
                4};
    default:
        return {kReplacement, 1};
    }
}

void appendUtf8(char32_t c, std::string& out) {
    char buffer[4];
    out.append(buffer, writeUtf8(c, buffer));
}

char* writeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace tarn::charset
