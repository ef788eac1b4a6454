#pragma once
#include <string>
#include <string_view>

#include <curl/curl.h>

#include "hostlibs/run/UrlAnswer.h"

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

// What a transfer's header callback learns of an answer, line by line: interim answers (1xx) pass, and
// the final answer's status stands once its headers end.
struct AnswerHead {
    int lastStatus = 0;   // of the latest status line, interim ones included
    int finalStatus = 0;  // set when the headers of a final answer are complete
    KeptHeaders headers;  // of the latest answer
    std::string location;  // the latest answer's Location as sent, trimmed of white space

    void reset() { *this = {}; }
    // Takes one header line; true when it ends the final answer's headers.
    bool take(std::string_view line);
};

// libcurl's write callback for a request that never wants a body: any byte of one ends the transfer.
std::size_t refuseBody(char* data, std::size_t size, std::size_t count, void* user);

}  // namespace tarn
