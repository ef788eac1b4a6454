#include "module/host/DomUtBaseCore.h"

#include "module/host/Element.h"

CString DomUtBaseCore::getParsedAttributeValue(Element* element, const std::u16string& name) {
    if (!element)
        return CString();
    // The value's references are resolved by the parser; white space is collapsed for display.
    std::u16string value = element->getAttribute(name);
    std::u16string out;
    bool space = false;
    for (char16_t c : value) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f') {
            space = !out.empty();
        } else {
            if (space)
                out.push_back(u' ');
            space = false;
            out.push_back(c);
        }
    }
    return CString(std::move(out));
}
