#include "hostlibs/url/HttpTransfer.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "hostlibs/url/RequestRules.h"
#include "hostlibs/url/TransferFailure.h"

namespace tarn {
namespace {

// Without a deadline a wait still ends now and then; libcurl shortens it for its own timers.
constexpr long kUnboundedWaitMs = 60'000;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

long millisecondsUntil(HttpTransfer::Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - HttpTransfer::Clock::now());
    return static_cast<long>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, kUnboundedWaitMs));
}

}  // namespace

HttpTransfer::HttpTransfer(const std::string& userAgent) {
    initialiseCurlOnce();
    multi_ = curl_multi_init();
    easy_ = curl_easy_init();
    if (multi_ == nullptr || easy_ == nullptr) {
        release();
        return;
    }
    // A page links many hosts; keep a connection to each of the recent ones.
    curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, 16L);

    applyRequestOptions(easy_);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &refuseBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &HttpTransfer::onReady);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorText_);
}

HttpTransfer::~HttpTransfer() {
    release();
}

int HttpTransfer::fetch(const std::string& url, Method method, std::optional<Clock::time_point> deadline,
                        TransferEvents& events) {
    location_.clear();
    failure_.clear();
    if (multi_ == nullptr || easy_ == nullptr) {
        failure_ = "no HTTP client";
        return 0;
    }
    method_ = method;
    head_.reset();
    ready_ = false;
    errorText_[0] = '\0';
    if (deadline && millisecondsUntil(*deadline) == 0) {
        failure_ = "timed out";
        return 0;
    }
    if (!prepare(url, method, deadline) || curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
        failure_ = "malformed URL";
        return 0;
    }
    run(deadline, events);
    noteOutcome(events.aborted());
    // An unfinished transfer's connection is closed here; a finished one's goes back to the cache.
    curl_multi_remove_handle(multi_, easy_);
    return head_.finalStatus;
}

bool HttpTransfer::prepare(const std::string& url, Method method, std::optional<Clock::time_point> deadline) {
    long timeoutMs = 0;  // libcurl's "no timeout"
    if (deadline) {
        timeoutMs = millisecondsUntil(*deadline);
        if (timeoutMs == 0)
            return false;
    }
    if (curl_easy_setopt(easy_, CURLOPT_URL, url.c_str()) != CURLE_OK)
        return false;
    // NOBODY makes a HEAD; HTTPGET turns it back into a GET.
    if (method == Method::Head)
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    else
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, timeoutMs);
    return true;
}

void HttpTransfer::run(std::optional<Clock::time_point> deadline, TransferEvents& events) {
    bool readyReported = false;
    while (!events.aborted()) {
        int running = 0;
        const CURLMcode code = curl_multi_perform(multi_, &running);
        if (ready_ && !readyReported) {
            readyReported = true;
            events.connected();
        }
        if (code != CURLM_OK || running == 0)
            return;
        // wake() ends this wait early, so an abort is seen at once whatever the transfer waits for.
        const long waitMs = deadline ? millisecondsUntil(*deadline) : kUnboundedWaitMs;
        curl_multi_poll(multi_, nullptr, 0, static_cast<int>(waitMs), nullptr);
    }
}

void HttpTransfer::noteOutcome(bool aborted) {
    CURLcode result = CURLE_OK;
    bool done = false;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
        if (message->msg == CURLMSG_DONE) {
            result = message->data.result;
            done = true;
        }
    }
    if (head_.finalStatus != 0) {
        char* target = nullptr;
        if (curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &target) == CURLE_OK && target != nullptr)
            location_ = target;
    } else if (aborted) {
        failure_ = "stopped";
    } else if (!done || result == CURLE_OK) {
        failure_ = "no answer";
    } else {
        long osErrno = 0;
        curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &osErrno);
        failure_ = describeTransferFailure(result, osErrno, errorText_);
    }
}

void HttpTransfer::wake() {
    const std::lock_guard lock(handlesMutex_);
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

void HttpTransfer::release() {
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    {
        const std::lock_guard lock(handlesMutex_);
        multi = std::exchange(multi_, nullptr);
        easy = std::exchange(easy_, nullptr);
    }
    if (easy != nullptr)
        curl_easy_cleanup(easy);
    if (multi != nullptr)
        curl_multi_cleanup(multi);
}

std::size_t HttpTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::string_view line(data, size * count);
    // The final headers are in: a GET stops here, before its body.
    if (transfer.head_.take(line) && transfer.method_ == Method::GetHeaders)
        return 0;
    return line.size();
}

int HttpTransfer::onReady(void* self, char*, char*, int, int) {
    static_cast<HttpTransfer*>(self)->ready_ = true;
    return CURL_PREREQFUNC_OK;
}

}  // namespace tarn
