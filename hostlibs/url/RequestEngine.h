#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <curl/curl.h>

#include "hostlibs/run/RunOptions.h"
#include "hostlibs/run/UrlAnswer.h"
#include "hostlibs/url/AskedUrl.h"
#include "hostlibs/url/DescriptorBudget.h"
#include "hostlibs/url/HostPacing.h"
#include "hostlibs/url/RequestHeaders.h"
#include "hostlibs/url/RequestLimits.h"

namespace tarn {

class LinkTransfer;

// The one way the host's checker asks a web server about a link. One libcurl multi handle, driven by a
// thread of its own, runs every request: at most `parallel` at once and `perHost` to one host, over kept
// connections (as many kept as may be in use; HTTP/2 multiplexed where a server offers it), each request
// the same way: HEAD, then GET for the statuses servers give to HEAD alone, redirects not followed. A
// request that wants the body (LinkRequest::bodyLimit: a lookup of the program's own, not a link) is one
// GET whose body is kept up to its limit, under the same limits and holds.
// A host that refuses (429, 503) is left alone as its Retry-After asks, else for a doubling backoff, and
// the link is asked again then, within its time limit.
//
// The worker's asks come first. When a check starts with the links the dialog queued, those are asked
// ahead of the worker (a look-ahead); one at a time (parallel 1), or a check without a dialog's queue,
// is this engine asking for the worker alone. An answer is handed out once; in a check that looks ahead
// a good one (2xx, 3xx) is kept and handed out again for the same URL, until the next check or for the
// whole run (AnswerReuse).
class RequestEngine {
public:
    using Clock = std::chrono::steady_clock;

    // `options`: what every request sends besides its request line (user agent, headers).
    RequestEngine(RequestLimits limits, AnswerReuse reuse, const RequestOptions& options = {});
    RequestEngine(const RequestEngine&) = delete;
    RequestEngine& operator=(const RequestEngine&) = delete;
    // Ends every request under way and the thread; nothing is requested afterwards.
    ~RequestEngine();

    // The limits it keeps: as given, and no more requests at once than the process has descriptors for.
    const RequestLimits& limits() const { return limits_; }

    // A new check (the dialog's Start): what the last one left is dropped. With more than one place and a
    // queue (in the worker's order, possibly empty), the check looks ahead: the queue is asked ahead of the
    // worker, each link within `limit` (0: no bound). Without one it asks for the worker alone.
    void startCheck(std::optional<std::vector<LinkRequest>> queue, std::chrono::milliseconds limit);
    // The answer for `request`: a finished look-ahead's, else the one under way, else requested now and
    // bounded by `limit` from its first request's start (0: no bound). Answers "stopped" as soon as
    // `aborted` holds (it is asked often) or cancel() is called. While it waits, `connected` is called
    // (without a lock held) once a connection is ready for the request.
    UrlAnswer ask(const LinkRequest& request, std::chrono::milliseconds limit, const std::function<bool()>& aborted,
                  const std::function<void()>& connected);
    // From any thread, without waiting: ends every request under way and the look-ahead of this check.
    void cancel();

private:
    struct Job;
    using JobPtr = std::shared_ptr<Job>;
    struct Kept {
        UrlAnswer answer;
        bool connected = false;
    };

    void drive(std::stop_token stop);
    void cancelLocked();
    void pickJobsLocked(Clock::time_point now, std::vector<JobPtr>& toStart);
    bool startable(const Job& job, Clock::time_point now) const;
    void keepConnections(std::size_t hosts);
    void launch(const JobPtr& job);
    bool readFinished();
    void publishConnections();
    void finish(const JobPtr& job, CURLcode result);
    void askAgainLocked(const JobPtr& job, Clock::time_point notBefore);
    void complete(const JobPtr& job, UrlAnswer answer);
    void detach(Job& job);
    void giveBack(Job& job);
    int waitMilliseconds();

    const DescriptorBudget descriptors_;
    const RequestLimits limits_;  // as given, within the descriptors
    const AnswerReuse reuse_;
    const RequestHeaders headers_;  // before the transfers, which use it, so it is destroyed after them
    CURLM* multi_ = nullptr;

    std::mutex mutex_;
    std::condition_variable answered_;
    bool lookingAhead_ = false;  // the check has a queue: good answers are kept and handed out again
    std::vector<LinkRequest> queue_;
    std::size_t hostsQueued_ = 0;  // the hosts the queue names
    std::chrono::milliseconds queueLimit_{0};
    std::vector<bool> taken_;                                      // queue positions begun or passed
    std::unordered_map<std::string, std::vector<std::size_t>> positions_;  // by key
    std::size_t next_ = 0;                                         // the first position not taken
    std::unordered_map<std::string, JobPtr> jobs_;                 // by key: under way or not yet handed out
    std::deque<JobPtr> waiting_;                                   // the worker's asks and retries, first first
    std::vector<JobPtr> dropped_;                                  // still running when their check ended
    std::unordered_set<std::string> failed_;                       // keys that got no status this check
    std::unordered_map<std::string, Kept> kept_;                   // good answers, by key
    HostPacing pacing_;
    int running_ = 0;

    // The driver's own.
    long keptConnections_ = 0;
    std::unordered_map<CURL*, JobPtr> transfers_;
    std::vector<std::unique_ptr<LinkTransfer>> idleTransfers_;  // handles of ended requests, for the next ones
    // Requested URLs whose HEAD got a status servers give to HEAD alone while their GET got an answer: for
    // the rest of the run they are asked with GET at once, so each of the module's repeats is one request.
    std::unordered_set<std::string> getOnly_;

    std::jthread driver_;
};

class RunContext;

// The run's request engine, made with the run's options at its first use: every request of a run, the
// module's and the program's own, goes through it.
std::shared_ptr<RequestEngine> runEngine(RunContext& run);

}  // namespace tarn
