#pragma once
#include <cstdint>

// A half-open range [begin, end) of byte offsets into a page's decoded UTF-8 text.
// 32-bit offsets keep nodes small; the document refuses pages of 4 GiB or more.
struct SourceSpan {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;

    std::uint32_t size() const { return end - begin; }
    bool empty() const { return begin == end; }
    friend bool operator==(const SourceSpan&, const SourceSpan&) = default;
};
