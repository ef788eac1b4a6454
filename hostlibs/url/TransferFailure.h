#pragma once
#include <string>

#include <curl/curl.h>

namespace tarn {

// Why a transfer got no answer, in words a person can act on: "connection refused", "timed out",
// "host name not resolved", "TLS failure (...)", "malformed answer", ... `osErrno` is the socket's
// error where libcurl kept one, `detail` libcurl's own message (may be empty).
std::string describeTransferFailure(CURLcode code, long osErrno, const std::string& detail);

}  // namespace tarn
