#include "hostlibs/url/LinkTransfer.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "hostlibs/url/RedirectTarget.h"
#include "hostlibs/url/RequestRules.h"

namespace tarn {

CURL* LinkTransfer::prepare(const std::string& url, bool get, long timeoutMs, std::size_t bodyLimit) {
    if (easy_ == nullptr) {
        easy_ = curl_easy_init();
        if (easy_ == nullptr)
            return nullptr;
        applyRequestOptions(easy_);
        headers_.applyTo(easy_);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &LinkTransfer::onHeader);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &LinkTransfer::onReady);
        curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
        curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorText_);
        curl_easy_setopt(easy_, CURLOPT_OPENSOCKETFUNCTION, &LinkTransfer::onOpenSocket);
        curl_easy_setopt(easy_, CURLOPT_OPENSOCKETDATA, this);
    }
    get_ = get;
    bodyLimit_ = get ? bodyLimit : 0;
    body_.clear();
    bodyTooLong_ = false;
    head_.reset();
    ready_ = false;
    socketErrno_ = 0;
    errorText_[0] = '\0';
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    // A second request to a host that offers HTTP/2 waits for the first one's connection rather than
    // opening its own. Only TLS negotiates HTTP/2 here, and a plain connection would be waited on until
    // its first answer came, however slow.
    curl_easy_setopt(easy_, CURLOPT_PIPEWAIT, url.starts_with("https:") ? 1L : 0L);
    // NOBODY makes a HEAD; HTTPGET turns it back into a GET.
    if (get)
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    else
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, timeoutMs);
    if (bodyLimit_ > 0)
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &LinkTransfer::onBody);
    else
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &refuseBody);
    return easy_;
}

void LinkTransfer::release() {
    if (easy_ != nullptr)
        curl_easy_cleanup(easy_);
    easy_ = nullptr;
}

std::string LinkTransfer::redirectTarget(const LinkRequest& request) const {
    if (head_.finalStatus < 300 || head_.finalStatus >= 400)
        return {};
    return tarn::redirectTarget(request, head_.location);
}

bool LinkTransfer::lackedSocket() const {
    return socketErrno_ == EMFILE || socketErrno_ == ENFILE || socketErrno_ == ENOBUFS || socketErrno_ == ENOMEM;
}

TransferFailure LinkTransfer::failure(CURLcode result) const {
    if (result == CURLE_OK)
        return failureOf(FailureKind::NoAnswer);
    if (lackedSocket())
        return {FailureKind::Other,
                std::string("no socket could be opened here (") + std::strerror(socketErrno_) + ")"};
    long osErrno = 0;
    if (easy_ != nullptr)
        curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &osErrno);
    return describeTransferFailure(result, osErrno, errorText_, ready_);
}

std::size_t LinkTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<LinkTransfer*>(self);
    const std::string_view line(data, size * count);
    // The final headers are in: a GET stops here, before its body, unless the body is wanted.
    if (transfer.head_.take(line) && transfer.get_ && transfer.bodyLimit_ == 0)
        return 0;
    return line.size();
}

// A body longer than the limit ends the transfer: what was read of it is no answer.
std::size_t LinkTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<LinkTransfer*>(self);
    const std::size_t bytes = size * count;
    if (bytes > transfer.bodyLimit_ - transfer.body_.size()) {
        transfer.bodyTooLong_ = true;
        return CURL_WRITEFUNC_ERROR;
    }
    transfer.body_.append(data, bytes);
    return bytes;
}

// The client's own way of opening a socket, which keeps no error: why it failed tells a link that did
// not answer from a process out of descriptors.
curl_socket_t LinkTransfer::onOpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
    const int socket = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (socket < 0) {
        static_cast<LinkTransfer*>(self)->socketErrno_ = errno;
        return CURL_SOCKET_BAD;
    }
    return socket;
}

int LinkTransfer::onReady(void* self, char*, char*, int, int) {
    static_cast<LinkTransfer*>(self)->ready_ = true;
    return CURL_PREREQFUNC_OK;
}

}  // namespace tarn
