#include "hostlibs/url/RequestHeaders.h"

#include <algorithm>
#include <string_view>

#include "hostlibs/url/RequestRules.h"

namespace tarn {

RequestHeaders::RequestHeaders(const RequestOptions& options)
    : userAgent_(options.userAgent.empty() ? checkerUserAgent() : options.userAgent) {
    for (const std::string& line : options.headers)
        headers_ = curl_slist_append(headers_, line.c_str());
}

RequestHeaders::~RequestHeaders() { curl_slist_free_all(headers_); }

void RequestHeaders::applyTo(CURL* easy) const {
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent_.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_);
}

std::string headerProblem(const std::string& line) {
    const std::size_t colon = line.find(':');
    const std::string_view name = std::string_view(line).substr(0, colon);
    // A token: the characters RFC 9110 allows in a field name.
    const bool token = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
    });
    if (colon == std::string::npos || !token)
        return "\"" + line + "\" is not a header written \"Name: value\"";
    if (line.find_first_of("\r\n", colon) != std::string::npos || line.find('\0') != std::string::npos)
        return "\"" + line + "\" holds a line break";
    return {};
}

}  // namespace tarn
