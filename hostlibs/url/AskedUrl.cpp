#include "hostlibs/url/AskedUrl.h"

#include <algorithm>

#include "contracts/host/IsProtocol.h"
#include "contracts/host/Url.h"
#include "hostlibs/url/EscapeRequestUrl.h"

namespace tarn {

CString askedUrl(const CString& link) {
    const Url parsed(link);
    return parsed.get_element(URL_PARAMS).IsEmpty() ? link : parsed.get_url_woparams();
}

std::optional<LinkRequest> requestFor(const CString& asked) {
    const Url parsed(asked);
    const CString target = parsed.requestUrl();
    if (!is_protocol(target, u"http:") && !is_protocol(target, u"https:"))
        return std::nullopt;
    return LinkRequest{asked.ToUtf8(), escapeRequestUrl(target.ToUtf8()), hostKey(parsed),
                       parsed.get_element(URL_FRAGMENT).ToUtf8()};
}

std::string hostKey(const Url& url) {
    std::string text = url.get_element(URL_HOST).ToUtf8() + ":" + url.get_element(URL_PORT).ToUtf8();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

}  // namespace tarn
