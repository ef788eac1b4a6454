#pragma once
#include <cstdint>
#include <string_view>

namespace tarn::dom {

// How the tree builder treats an HTML tag name (lower case), as bit flags.
enum TagRule : std::uint32_t {
    VOID_ELEMENT = 1u << 0,    // never has content or an end tag
    RAW_TEXT = 1u << 1,        // style, xmp, iframe, noembed, noframes
    RC_DATA = 1u << 2,         // title, textarea
    SCRIPT_DATA = 1u << 3,     // script
    PLAIN_TEXT = 1u << 4,      // plaintext: the rest of the page is its text
    CLOSES_P = 1u << 5,        // its start tag closes an open p
    SPECIAL = 1u << 6,         // stops the search of li, dd, dt for an element to close
    SCOPE_BOUNDARY = 1u << 7,  // an end tag does not close an element outside it
    HEAD_CONTENT = 1u << 8,    // belongs in head when it comes before the body
    HEADING = 1u << 9,         // h1 to h6
    LEAVES_FOREIGN = 1u << 10, // its start tag ends open SVG or MathML content
    TABLE_PART = 1u << 11,     // tr, td, th, tbody, thead, tfoot, caption, colgroup
};

std::uint32_t tagRules(std::string_view lowerName);

}  // namespace tarn::dom
