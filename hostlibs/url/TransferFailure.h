#pragma once
#include <string>

#include <curl/curl.h>

#include "hostlibs/run/UrlAnswer.h"

namespace tarn {

// Why a request got no status: its kind, and the words a person can act on.
struct TransferFailure {
    FailureKind kind = FailureKind::None;
    std::string words;
};

// A failure that needs no detail, in its usual words ("stopped", "timed out", "not an http or https URL", ...).
TransferFailure failureOf(FailureKind kind);

// An answer without a status, for that reason.
UrlAnswer failedAnswer(FailureKind kind);

// Why a transfer got no answer: "connection refused", "timed out", "host name not resolved", "TLS failure
// (...)", "malformed answer", ... `osErrno` is the socket's error where libcurl kept one, `detail`
// libcurl's own message (may be empty), `connected` whether a connection to the server was made, so
// that what failed then was the server's answer.
TransferFailure describeTransferFailure(CURLcode code, long osErrno, const std::string& detail, bool connected);

}  // namespace tarn
