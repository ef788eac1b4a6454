#pragma once
#include <chrono>
#include <mutex>
#include <optional>
#include <string>

#include <curl/curl.h>

#include "hostlibs/url/RequestRules.h"

namespace tarn {

// What a transfer asks of whoever runs it, called on the running thread between libcurl's steps.
class TransferEvents {
public:
    virtual bool aborted() = 0;   // asked at every wake-up; true ends the transfer
    virtual void connected() = 0;  // the connection is ready (TLS included) and the request goes out

protected:
    ~TransferEvents() = default;
};

// One kept-alive HTTP client over libcurl: a multi handle with one easy handle, both made once and
// reused by every request, so connections, DNS answers and TLS sessions carry over from call to call.
// Requests run on one thread at a time; wake() and release() may come from any thread.
class HttpTransfer {
public:
    using Clock = std::chrono::steady_clock;
    enum class Method { Head, GetHeaders };

    explicit HttpTransfer(const std::string& userAgent);
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;
    ~HttpTransfer();

    // The status of the final answer (200..999) once its headers are in, else 0. GetHeaders ends the
    // transfer right after the headers, so no body is read. Ends by the deadline (none: unbounded) or
    // as soon as events.aborted() holds after a wake-up.
    int fetch(const std::string& url, Method method, std::optional<Clock::time_point> deadline,
              TransferEvents& events);

    // Of the latest fetch: a redirect's Location resolved against its URL (empty when none), and why
    // no status came, in words for a person (empty when one did).
    const std::string& location() const { return location_; }
    const std::string& failure() const { return failure_; }

    // Interrupts the wait of a fetch under way so it asks events.aborted() again.
    void wake();

    // Frees the handles; later fetches answer 0.
    void release();

private:
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int onReady(void* self, char* remoteIp, char* localIp, int remotePort, int localPort);
    bool prepare(const std::string& url, Method method, std::optional<Clock::time_point> deadline);
    void run(std::optional<Clock::time_point> deadline, TransferEvents& events);
    void noteOutcome(bool aborted);

    std::mutex handlesMutex_;  // wake() against release(); never held across a transfer
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;

    // State of the transfer under way, touched by the callbacks on the running thread.
    Method method_ = Method::Head;
    AnswerHead head_;
    bool ready_ = false;
    char errorText_[CURL_ERROR_SIZE] = {};
    std::string location_;
    std::string failure_;
};

}  // namespace tarn
