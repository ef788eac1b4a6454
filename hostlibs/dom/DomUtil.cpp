#include "contracts/host/DomUtil.h"

#include <string>

#include "hostlibs/dom/charset/AsciiText.h"
#include "contracts/host/Element.h"

namespace {

// Whether a handler changes an image: assigns some ".src", sets it through attr('src', ...), or
// calls a swap-image helper as page editors write them.
bool changesImage(std::string_view script) {
    const std::string s = tarn::charset::toAsciiLower(script);
    if (s.find("swapimage") != std::string::npos || s.find("swapimg") != std::string::npos)
        return true;
    if (s.find("attr('src'") != std::string::npos || s.find("attr(\"src\"") != std::string::npos)
        return true;
    for (auto at = s.find(".src"); at != std::string::npos; at = s.find(".src", at + 1)) {
        auto i = at + 4;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i < s.size() && s[i] == '=' && (i + 1 == s.size() || s[i + 1] != '='))
            return true;
    }
    return false;
}

}  // namespace

bool DomUtil::isRollOverLink(Element* element) const {
    if (!element || element->elementNamespace() != ElementNamespace::Html || element->kind().name != "A")
        return false;
    for (const char* handler : {"onmouseover", "onmouseout"})
        if (const Attr* a = element->findAttribute(handler); a && changesImage(a->valueUtf8()))
            return true;
    return false;
}
