#include "hostlibs/url/RedirectTarget.h"

#include <curl/curl.h>

#include <memory>

#include "hostlibs/url/EscapeRequestUrl.h"

namespace tarn {
namespace {

bool isControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// Control bytes percent-encoded, as a Latin-1 byte already is.
std::string withControlsEncoded(std::string_view text) {
    std::string encoded;
    encoded.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (isControl(byte)) {
            appendEscapedByte(encoded, byte);
        } else {
            encoded += ch;
        }
    }
    return encoded;
}

// The Location as a browser reads it: C0 controls and spaces trimmed from both ends, the controls left
// inside percent-encoded.
std::string cleaned(std::string_view location) {
    const auto trimmed = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!location.empty() && trimmed(location.front()))
        location.remove_prefix(1);
    while (!location.empty() && trimmed(location.back()))
        location.remove_suffix(1);
    return withControlsEncoded(location);
}

// `reference` resolved against `base` by the client's URL parser, spaces and non-ASCII bytes encoded;
// empty when either is not a URL it can read.
std::string resolved(const std::string& base, const std::string& reference) {
    const std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), &curl_url_cleanup);
    if (!url || curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK)
        return {};
    // Any scheme is kept as written (a redirect to "javascript:" is reported, not read as relative).
    constexpr unsigned kFlags = CURLU_URLENCODE | CURLU_ALLOW_SPACE | CURLU_NON_SUPPORT_SCHEME;
    if (curl_url_set(url.get(), CURLUPART_URL, reference.c_str(), kFlags) != CURLUE_OK)
        return {};
    char* text = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &text, 0) != CURLUE_OK || text == nullptr)
        return {};
    std::string result(text);
    curl_free(text);
    return result;
}

}  // namespace

std::string redirectTarget(const LinkRequest& request, std::string_view location) {
    const std::string reference = cleaned(location);
    if (reference.empty())
        return {};
    // The client reads "#frag" as a relative path ("dir/#frag"): it names the page that was requested.
    if (reference.front() == '#')
        return request.url + reference;
    // The client's parser decodes a host name's escapes, so what it gives back is encoded again.
    std::string target = withControlsEncoded(resolved(request.url, reference));
    if (target.empty())
        target = reference;
    if (target.find('#') == std::string::npos && !request.fragment.empty())
        target += '#' + request.fragment;
    return target;
}

}  // namespace tarn
