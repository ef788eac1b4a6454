#pragma once
#include <cstddef>
#include <string>
#include <utility>

#include <curl/curl.h>

#include "hostlibs/url/AskedUrl.h"
#include "hostlibs/url/RequestHeaders.h"
#include "hostlibs/url/RequestRules.h"
#include "hostlibs/url/TransferFailure.h"

namespace tarn {

// One request at a time on an easy handle, for a multi handle that runs many: the handle, and what its
// callbacks learn of the answer. The handle is made once and serves request after request (the multi
// handle keeps the connections). Touched only by the thread that drives the multi handle.
class LinkTransfer {
public:
    // `headers` outlives the transfer.
    explicit LinkTransfer(const RequestHeaders& headers) : headers_(headers) {}
    LinkTransfer(const LinkTransfer&) = delete;
    LinkTransfer& operator=(const LinkTransfer&) = delete;
    ~LinkTransfer() { release(); }

    // Sets the handle up (made on first use) for a HEAD of `url`, or with `get` a GET whose headers are read
    // and whose body is not, unless `bodyLimit` (bytes) keeps it; `timeoutMs` 0: none. Null when no handle
    // could be made.
    CURL* prepare(const std::string& url, bool get, long timeoutMs, std::size_t bodyLimit = 0);
    void release();
    CURL* easy() const { return easy_; }

    // Of the latest request: the final answer's status once its headers are in (else 0), a redirect's
    // target for the link `request` asked about, the headers kept, why no status came, and whether a
    // connection was ever ready for it.
    int finalStatus() const { return head_.finalStatus; }
    std::string redirectTarget(const LinkRequest& request) const;
    const KeptHeaders& headers() const { return head_.headers; }
    TransferFailure failure(CURLcode result) const;
    bool ready() const { return ready_; }
    // Whether the latest request got no answer for want of a descriptor (or memory) for its socket here:
    // no verdict on the link.
    bool lackedSocket() const;
    // The body a GET that keeps it read, for the caller to take; and whether it was cut off at the limit.
    std::string takeBody() { return std::move(body_); }
    bool bodyTooLong() const { return bodyTooLong_; }

private:
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int onReady(void* self, char* remoteIp, char* localIp, int remotePort, int localPort);
    static curl_socket_t onOpenSocket(void* self, curlsocktype purpose, curl_sockaddr* address);

    const RequestHeaders& headers_;
    CURL* easy_ = nullptr;
    bool get_ = false;
    AnswerHead head_;
    std::size_t bodyLimit_ = 0;  // 0: the body is not read
    std::string body_;
    bool bodyTooLong_ = false;
    bool ready_ = false;
    int socketErrno_ = 0;  // of the latest socket that could not be opened
    char errorText_[CURL_ERROR_SIZE] = {};
};

}  // namespace tarn
