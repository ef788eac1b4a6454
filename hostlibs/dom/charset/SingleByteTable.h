#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "hostlibs/dom/charset/Encoding.h"

namespace tarn::charset {

// A single-byte encoding as two tables built from glibc: every byte's text, and back. A table
// rather than a converter because a byte is always one character here, while glibc's CP1255 and
// CP1258 compose a letter with the marks after it.
class SingleByteTable {
public:
    // Built on first use, then shared; thread-safe.
    static const SingleByteTable& of(const Encoding& encoding);

    // UTF-8; U+FFFD for a byte the encoding leaves undefined.
    std::string_view decode(unsigned char byte) const {
        const Entry& e = entries_[byte];
        return {e.utf8.data(), e.length};
    }

    // Decodes `bytes` to `out`, which has room for four bytes of text per byte; returns the end of
    // the text written.
    char* decode(std::string_view bytes, char* out) const;

    // The byte that decodes to `c`, if one does.
    std::optional<unsigned char> encode(char32_t c) const;

private:
    explicit SingleByteTable(const Encoding& encoding);

    struct Entry {
        std::array<char, 4> utf8;
        std::uint8_t length;
    };

    std::array<Entry, 256> entries_{};
    std::vector<std::pair<char32_t, unsigned char>> reverse_;  // sorted by code point
};

}  // namespace tarn::charset
