#include "hostlibs/dom/charset/LineEnding.h"

#include <cstddef>

namespace tarn::charset {

LineEnding dominantLineEnding(std::string_view text) {
    if (text.find('\r') == std::string_view::npos) return LineEnding::LF;
    std::size_t lf = 0;
    std::size_t crlf = 0;
    std::size_t cr = 0;
    for (std::size_t i = text.find_first_of("\r\n"); i != std::string_view::npos;
         i = text.find_first_of("\r\n", i + 1)) {
        if (text[i] == '\n') {
            ++lf;
        } else if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++crlf;
            ++i;
        } else {
            ++cr;
        }
    }
    if (lf >= crlf && lf >= cr) return LineEnding::LF;
    return crlf >= cr ? LineEnding::CRLF : LineEnding::CR;
}

}  // namespace tarn::charset
