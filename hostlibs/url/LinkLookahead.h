#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <curl/curl.h>

#include "hostlibs/url/HostPacing.h"
#include "hostlibs/url/LookaheadLimits.h"

namespace tarn {

// What became of one link's request.
struct LinkAnswer {
    int status = 0;         // the final status, 0 when none came
    std::string location;   // a redirect's Location, resolved against the URL
    std::string failure;    // why no status came, for a person
    int requests = 0;       // HTTP requests made for it
    bool connected = false; // a connection was ready (TLS included) for it
};

struct LinkRequest {
    std::string key;   // the URL as the worker asks for it
    std::string url;   // the URL as it is requested
    std::string host;  // whom the per-host limit counts it against
};

// Requests a run's queued links ahead of the check engine's worker, over one libcurl multi handle driven
// by a thread of its own: at most `parallel` at once, at most `perHost` to one host, connections kept and
// shared (HTTP/2 multiplexed where a server offers it), the same rules as one request at a time (HEAD,
// then GET for the statuses servers give to HEAD alone). The worker's own asks go through it as well, so
// the limits hold for all traffic, and start before the look-ahead's.
// An answer is handed out once. Within a run (or across runs, while goodAnswersKeptAcrossRuns) a 2xx or
// 3xx answer is kept and handed out again for the same URL; errors are always asked again.
class LinkLookahead {
public:
    using Clock = std::chrono::steady_clock;

    // `limit` bounds each link's requests together, from the first one's start (0: no bound).
    LinkLookahead(LookaheadLimits limits, std::chrono::milliseconds limit);
    LinkLookahead(const LinkLookahead&) = delete;
    LinkLookahead& operator=(const LinkLookahead&) = delete;
    // Ends every request under way and the thread; nothing is requested afterwards.
    ~LinkLookahead();

    const LookaheadLimits& limits() const { return limits_; }
    std::chrono::milliseconds limit() const { return limit_; }

    // A new run with its queue in the worker's order: what the last run left is dropped.
    void startRun(std::vector<LinkRequest> queue);
    // The answer for `request`: a finished look-ahead's, else the one under way, else requested now.
    // Returns "stopped" as soon as `aborted` holds (it is asked often) or cancel() is called. While it
    // waits, `connected` is called (without a lock held) once a connection is ready for the request.
    LinkAnswer ask(const LinkRequest& request, const std::function<bool()>& aborted,
                   const std::function<void()>& connected);
    // From any thread, without waiting: ends every request under way and the look-ahead of this run.
    void cancel();

private:
    struct Job;
    using JobPtr = std::shared_ptr<Job>;

    void drive(std::stop_token stop);
    void cancelLocked();
    void pickJobsLocked(Clock::time_point now, std::vector<JobPtr>& toStart);
    bool startable(const Job& job, Clock::time_point now) const;
    void launch(const JobPtr& job);
    bool readFinished();
    void publishConnections();
    void finish(const JobPtr& job, CURLcode result);
    void complete(const JobPtr& job, LinkAnswer answer);
    void detach(Job& job);
    int waitMilliseconds();


    const LookaheadLimits limits_;
    const std::chrono::milliseconds limit_;
    CURLM* multi_ = nullptr;

    std::mutex mutex_;
    std::condition_variable answered_;
    std::vector<LinkRequest> queue_;
    std::vector<bool> taken_;                                      // queue positions begun or passed
    std::unordered_map<std::string, std::vector<std::size_t>> positions_;  // by key
    std::size_t next_ = 0;                                         // the first position not taken
    std::unordered_map<std::string, JobPtr> jobs_;                 // by key: under way or not yet handed out
    std::deque<JobPtr> waiting_;                                   // the worker's asks and retries, first first
    std::vector<JobPtr> dropped_;                                  // still running when their run ended
    std::unordered_set<std::string> failed_;                       // keys that got no status this run
    HostPacing pacing_;
    int running_ = 0;

    std::unordered_map<CURL*, JobPtr> transfers_;  // the driver's own

    std::jthread driver_;
};

}  // namespace tarn
