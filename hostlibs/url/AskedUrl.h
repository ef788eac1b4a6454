#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/afx/CString.h"

class Url;

namespace tarn {

// One request the engine makes for a URL the module asks about.
struct LinkRequest {
    std::string key;   // the URL as the module asks for it: answers are kept and looked up under it
    std::string url;   // the URL as it is requested, escaped as a browser escapes it
    std::string host;  // whom the per-host limit counts it against
    std::string fragment;  // the link's, without its '#' (empty: none), which a redirect's target inherits
    // 0: a link's request (HEAD, then GET for what servers give HEAD alone), whose body is never read.
    // Else one GET whose body is kept, up to this many bytes: a longer one is a failure.
    std::size_t bodyLimit = 0;
};

// The URL the module's worker asks the checker about for a link written as `link`: without the
// parameters of its last segment (";jsessionid=..."), which name the same resource; else as written.
CString askedUrl(const CString& link);

// The request for a URL as the worker asks it; none when it is no http or https URL, which the checker
// answers at once without a request.
std::optional<LinkRequest> requestFor(const CString& asked);

// Whom the per-host limit counts a request against: the URL's host in lower case, and its port, as a
// connection is made to them.
std::string hostKey(const Url& url);

}  // namespace tarn
