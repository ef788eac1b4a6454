#pragma once
#include <string>

#include <curl/curl.h>

#include "hostlibs/run/RunOptions.h"

namespace tarn {

// What a run sends with every request besides the request line: its User-Agent (the checker's own
// unless the run names one) and its headers, as libcurl takes them. Made once per request engine and
// kept while its transfers use it.
class RequestHeaders {
public:
    explicit RequestHeaders(const RequestOptions& options);
    RequestHeaders(const RequestHeaders&) = delete;
    RequestHeaders& operator=(const RequestHeaders&) = delete;
    ~RequestHeaders();

    // Sets them on a transfer's handle.
    void applyTo(CURL* easy) const;

private:
    std::string userAgent_;
    curl_slist* headers_ = nullptr;
};

// Why `line` is no header a request may carry ("Name: value", a token for a name, nothing that would end
// the line); empty when it is one.
std::string headerProblem(const std::string& line);

}  // namespace tarn
