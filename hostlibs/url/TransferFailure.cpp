#include "hostlibs/url/TransferFailure.h"

#include <cerrno>
#include <cstring>

namespace tarn {
namespace {

std::string withDetail(const char* words, const std::string& detail) {
    return detail.empty() ? std::string(words) : std::string(words) + " (" + detail + ")";
}

std::string connectFailure(long osErrno, const std::string& detail) {
    switch (osErrno) {
        case ECONNREFUSED:
            return "connection refused";
        case ENETUNREACH:
        case EHOSTUNREACH:
            return "host unreachable";
        case ETIMEDOUT:
            return "timed out";
        default:
            return withDetail("could not connect", detail);
    }
}

}  // namespace

std::string describeTransferFailure(CURLcode code, long osErrno, const std::string& detail) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return "host name not resolved";
        case CURLE_COULDNT_RESOLVE_PROXY:
            return "proxy name not resolved";
        case CURLE_COULDNT_CONNECT:
            return connectFailure(osErrno, detail);
        case CURLE_OPERATION_TIMEDOUT:
            return "timed out";
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
            return withDetail("TLS failure", detail);
        case CURLE_GOT_NOTHING:
            return "connection closed without an answer";
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
        case CURLE_HTTP3:
        case CURLE_BAD_CONTENT_ENCODING:
            return withDetail("malformed answer", detail);
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            return osErrno == ECONNRESET ? "connection reset" : withDetail("connection broken", detail);
        case CURLE_URL_MALFORMAT:
            return "malformed URL";
        case CURLE_UNSUPPORTED_PROTOCOL:
            return "not an http or https URL";
        default:
            return withDetail(curl_easy_strerror(code), detail);
    }
}

}  // namespace tarn
