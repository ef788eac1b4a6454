#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Where each part of a URL stands in its cleaned text; Url and the broken-link table read the text
// through these positions instead of copying every part. The rules are documented in
// contracts/host/Url.h.
namespace tarn::url {

inline constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
};

struct UrlLayout {
    std::array<Span, 10> elements;  // indexed by tarn::URL_ELEMENT
    std::size_t pathEnd = 0;        // where the query, the fragment or the text begins
    std::size_t paramsDelimiter = kNone;
    std::size_t fragmentDelimiter = kNone;
    bool special = false;           // http, https, ftp, ws, wss, file: '\' reads as '/'
};

// Trimmed of C0 controls and spaces at both ends, TAB/LF/CR removed.
std::u16string cleanUrlText(std::u16string_view text);

// Splits text already cleaned.
UrlLayout layOutUrl(std::u16string_view text);

}  // namespace tarn::url
