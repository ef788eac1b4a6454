#include "hostlibs/dom/charset/ShiftSequence.h"

namespace tarn::charset {

bool isShiftSequence(std::string_view bytes, std::size_t pos) {
    if (pos >= bytes.size() || bytes.size() - pos < kShiftLength) return false;
    const std::string_view s = bytes.substr(pos, kShiftLength);
    return s == "\x1B(B" || s == "\x1B(J" || s == "\x1B$@" || s == "\x1B$B";
}

std::size_t lastShiftSequence(std::string_view bytes, std::size_t from, std::size_t to) {
    if (to - from < kShiftLength) return std::string_view::npos;
    for (std::size_t i = to - kShiftLength + 1; i-- > from;) {
        if (bytes[i] == '\x1B' && isShiftSequence(bytes, i)) return i;
    }
    return std::string_view::npos;
}

}  // namespace tarn::charset
