#pragma once
#include <string>
#include <string_view>

#include <curl/curl.h>

namespace tarn {

// Whether a HEAD's status is one servers often give to a HEAD alone, so the URL is asked again with GET
// before the answer stands.
bool asksAgainWithGet(int status);

// The User-Agent of every request the checker makes.
const std::string& checkerUserAgent();

// What every request of the checker does alike, on a new easy handle: http and https only, no redirect
// followed, no signals, the server's own headers only. The caller sets the user agent and callbacks.
void applyRequestOptions(CURL* easy);

// The status of a status line ("HTTP/1.1 404 Not Found", "HTTP/2 200"); 0 when it has none.
int statusOfLine(std::string_view line);

}  // namespace tarn
