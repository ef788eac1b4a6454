#include "contracts/host/IsProtocol.h"

#include <string>

#include "hostlibs/url/UrlChars.h"

using tarn::url::asciiLower;
using tarn::url::isRemoved;
using tarn::url::isTrimmed;

int is_protocol(const char16_t* text, const char16_t* protocol) {
    if (text == nullptr || protocol == nullptr)
        return 0;
    std::size_t schemeLength = std::char_traits<char16_t>::length(protocol);
    if (schemeLength > 0 && protocol[schemeLength - 1] == u':')
        --schemeLength;
    if (schemeLength == 0)
        return 0;

    // U+0000 ends the text, so neither loop runs past it.
    const char16_t* p = text;
    while (*p != u'\0' && isTrimmed(*p))
        ++p;
    for (std::size_t i = 0; i < schemeLength; ++i) {
        while (isRemoved(*p))
            ++p;
        if (*p == u'\0' || asciiLower(*p) != asciiLower(protocol[i]))
            return 0;
        ++p;
    }
    while (isRemoved(*p))
        ++p;
    return *p == u':' ? 1 : 0;
}
