#pragma once
#include <string_view>

namespace tarn::charset {

enum class LineEnding { LF, CRLF, CR };

// The line break the text uses most; LF for a text without breaks, and on a tie the first of
// LF, CRLF, CR.
LineEnding dominantLineEnding(std::string_view text);

}  // namespace tarn::charset
