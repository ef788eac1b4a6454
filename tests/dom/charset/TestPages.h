#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "hostlibs/dom/charset/DecodedPage.h"

namespace tarn::charset::testing {

// `utf8` converted by glibc directly (not through the charset layer), so pages are made
// independently of the code under test.
std::string iconvEncode(std::string_view utf8, const char* to);

// The offsets in `text` where UTF-8 characters start, and text.size().
std::vector<std::size_t> characterBoundaries(std::string_view text);

// originalOffset by brute force, for every character boundary of page.text: the place where the
// bytes split into a part that decodes (in the page's encoding) to exactly the text before the
// boundary and a part that decodes alone to the text after it. For ISO-2022-JP, whose second part
// cannot be read alone, the last place where the first part still reads as the text before.
std::vector<std::size_t> bruteForceOffsets(const DecodedPage& page);

// originalOffset against bruteForceOffsets at every character boundary.
::testing::AssertionResult offsetsMatchBruteForce(const DecodedPage& page);

}  // namespace tarn::charset::testing
