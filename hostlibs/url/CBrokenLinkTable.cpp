#include "contracts/host/CBrokenLinkTable.h"

#include <string_view>

#include "hostlibs/url/UrlChars.h"
#include "hostlibs/url/UrlLayout.h"
#include "contracts/host/Url.h"

namespace {

// The form two URLs compare in: cleaned, scheme and host in ASCII lower case, the scheme's default
// port dropped.
std::u16string compareKey(const CString& url) {
    std::u16string key =
        tarn::url::cleanUrlText(std::u16string_view(url.GetString(), static_cast<std::size_t>(url.GetLength())));
    const tarn::url::UrlLayout layout = tarn::url::layOutUrl(key);
    for (tarn::URL_ELEMENT element : {tarn::URL_SCHEME, tarn::URL_HOST}) {
        const tarn::url::Span span = layout.elements[element];
        for (std::size_t i = span.begin; i < span.begin + span.length; ++i)
            key[i] = tarn::url::asciiLower(key[i]);
    }
    const tarn::url::Span scheme = layout.elements[tarn::URL_SCHEME];
    const tarn::url::Span port = layout.elements[tarn::URL_PORT];
    const std::u16string_view schemeName = std::u16string_view(key).substr(scheme.begin, scheme.length);
    const std::u16string_view portNumber = std::u16string_view(key).substr(port.begin, port.length);
    if (port.length > 0 && port.begin > 0 && key[port.begin - 1] == u':' &&
        ((schemeName == u"http" && portNumber == u"80") || (schemeName == u"https" && portNumber == u"443")))
        key.erase(port.begin - 1, port.length + 1);
    return key;
}

}  // namespace

CBrokenLinkTable::~CBrokenLinkTable() = default;

bool CBrokenLinkTable::exists(const CString& url) const {
    return urls_.contains(compareKey(url));
}

bool CBrokenLinkTable::Add(const CString& url, bool) {
    return urls_.insert(compareKey(url)).second;
}
