#include "hostlibs/dom/DisplayText.h"

namespace tarn::dom {

std::u16string displayText(std::u16string_view text, bool controls) {
    auto isSpace = [controls](char16_t c) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f')
            return true;
        return controls && (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F));
    };
    std::u16string out;
    out.reserve(text.size());
    bool space = false;
    for (char16_t c : text) {
        if (isSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += u' ';
        space = false;
        out += c;
    }
    return out;
}

}  // namespace tarn::dom
