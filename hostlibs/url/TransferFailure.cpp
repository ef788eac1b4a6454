#include "hostlibs/url/TransferFailure.h"

#include <cerrno>
#include <cstring>

namespace tarn {
namespace {

TransferFailure withDetail(FailureKind kind, const char* words, const std::string& detail) {
    return {kind, detail.empty() ? std::string(words) : std::string(words) + " (" + detail + ")"};
}

TransferFailure connectFailure(long osErrno, const std::string& detail) {
    switch (osErrno) {
        case ECONNREFUSED:
            return failureOf(FailureKind::Refused);
        case ENETUNREACH:
        case EHOSTUNREACH:
            return failureOf(FailureKind::Unreachable);
        case ETIMEDOUT:
            return failureOf(FailureKind::TimedOut);
        default:
            return withDetail(FailureKind::CouldNotConnect, "could not connect", detail);
    }
}

}  // namespace

TransferFailure failureOf(FailureKind kind) {
    switch (kind) {
        case FailureKind::None:
            return {};
        case FailureKind::Stopped:
            return {kind, "stopped"};
        case FailureKind::NotHttp:
            return {kind, "not an http or https URL"};
        case FailureKind::MalformedUrl:
            return {kind, "malformed URL"};
        case FailureKind::HostNotResolved:
            return {kind, "host name not resolved"};
        case FailureKind::ProxyNotResolved:
            return {kind, "proxy name not resolved"};
        case FailureKind::Refused:
            return {kind, "connection refused"};
        case FailureKind::Unreachable:
            return {kind, "host unreachable"};
        case FailureKind::TimedOut:
            return {kind, "timed out"};
        case FailureKind::CouldNotConnect:
            return {kind, "could not connect"};
        case FailureKind::Tls:
            return {kind, "TLS failure"};
        case FailureKind::ClosedWithoutAnswer:
            return {kind, "connection closed without an answer"};
        case FailureKind::MalformedAnswer:
            return {kind, "malformed answer"};
        case FailureKind::Reset:
            return {kind, "connection reset"};
        case FailureKind::Broken:
            return {kind, "connection broken"};
        case FailureKind::NoAnswer:
            return {kind, "no answer"};
        case FailureKind::NoClient:
            return {kind, "no HTTP client"};
        case FailureKind::Other:
            break;
    }
    return {FailureKind::Other, "failed"};
}

UrlAnswer failedAnswer(FailureKind kind) {
    TransferFailure failure = failureOf(kind);
    UrlAnswer answer;
    answer.failureKind = failure.kind;
    answer.failure = std::move(failure.words);
    return answer;
}

TransferFailure describeTransferFailure(CURLcode code, long osErrno, const std::string& detail, bool connected) {
    if (connected) {
        // Only http and https are asked, so the client finds no protocol in an answer without a status
        // line; and it gives up on a header longer than it takes as if it had run out of memory.
        if (code == CURLE_UNSUPPORTED_PROTOCOL)
            return withDetail(FailureKind::MalformedAnswer, "malformed answer", "no HTTP status line");
        if (code == CURLE_OUT_OF_MEMORY)
            return withDetail(FailureKind::MalformedAnswer, "malformed answer", "header too large");
    }
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return failureOf(FailureKind::HostNotResolved);
        case CURLE_COULDNT_RESOLVE_PROXY:
            return failureOf(FailureKind::ProxyNotResolved);
        case CURLE_COULDNT_CONNECT:
            return connectFailure(osErrno, detail);
        case CURLE_OPERATION_TIMEDOUT:
            return failureOf(FailureKind::TimedOut);
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_USE_SSL_FAILED:
            return withDetail(FailureKind::Tls, "TLS failure", detail);
        case CURLE_GOT_NOTHING:
            return failureOf(FailureKind::ClosedWithoutAnswer);
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
        case CURLE_HTTP3:
        case CURLE_BAD_CONTENT_ENCODING:
            return withDetail(FailureKind::MalformedAnswer, "malformed answer", detail);
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            return osErrno == ECONNRESET ? failureOf(FailureKind::Reset)
                                         : withDetail(FailureKind::Broken, "connection broken", detail);
        case CURLE_URL_MALFORMAT:
            return failureOf(FailureKind::MalformedUrl);
        case CURLE_UNSUPPORTED_PROTOCOL:
            return failureOf(FailureKind::NotHttp);
        default:
            return withDetail(FailureKind::Other, curl_easy_strerror(code), detail);
    }
}

}  // namespace tarn
