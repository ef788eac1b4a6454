#include "hostlibs/url/RequestEngine.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "hostlibs/run/RunContext.h"
#include "hostlibs/url/LinkTransfer.h"
#include "hostlibs/url/RequestRules.h"
#include "hostlibs/url/TransferFailure.h"

namespace tarn {
namespace {

// How far past the first untaken position the look-ahead searches for a link whose host is free, so a
// page that links one host many times in a row does not hold back the others.
constexpr std::size_t kSearchWindow = 256;
// A refusal is asked again after the host's hold, this many times at most, and only within the link's limit.
constexpr int kRetriesAfterRefusal = 2;
// The driver wakes at least this often, though nothing happens, to start what a hold kept back.
constexpr int kLongestWaitMs = 1000;
// Idle connections kept however few requests run at once: a page's recent hosts.
constexpr long kFewestKeptConnections = 16;
// Idle connections kept at most, however many hosts a check's queue names: each is an open descriptor.
constexpr long kMostKeptConnections = 512;
// How often a waiting worker asks whether it was stopped, besides being woken.
constexpr std::chrono::milliseconds kAbortPoll{20};

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A request that found no descriptor for its socket is asked again this much later, this many times at
// most when the link has no time limit: other requests give theirs back as they end.
constexpr std::chrono::milliseconds kNoSocketPause{50};
constexpr int kMostNoSocketRetries = 200;

RequestLimits withinDescriptors(RequestLimits limits, const DescriptorBudget& budget) {
    limits.parallel = std::min(limits.parallel, budget.requests);
    return limits;
}

bool isGood(int status) { return status >= 200 && status < 400; }

bool isRefusal(int status) { return status == 429 || status == 503; }

}  // namespace

struct RequestEngine::Job {
    Job(LinkRequest link, std::chrono::milliseconds bound) : request(std::move(link)), limit(bound) {}

    enum class State { Waiting, Running, Done };

    const LinkRequest request;
    const std::chrono::milliseconds limit;  // 0: none
    // Under the owner's mutex.
    State state = State::Waiting;
    bool dropped = false;  // its check ended: stopped, or a new check began
    Clock::time_point notBefore{};
    bool connected = false;
    UrlAnswer answer;

    // The driver's own.
    std::unique_ptr<LinkTransfer> transfer;
    std::optional<Clock::time_point> deadline;
    bool get = false;  // the GET after a HEAD
    int headStatus = 0;
    std::string headLocation;
    KeptHeaders headHeaders;
    int refusals = 0;
    int noSocket = 0;  // times it found no descriptor for its socket
    int requests = 0;
    bool readyPublished = false;
    bool everReady = false;
};

RequestEngine::RequestEngine(RequestLimits limits, AnswerReuse reuse, const RequestOptions& options)
    : descriptors_(descriptorBudget(limits.parallel)),
      limits_(withinDescriptors(limits, descriptors_)),
      reuse_(reuse),
      headers_(options),
      pacing_(limits.perHost) {
    initialiseCurlOnce();
    multi_ = curl_multi_init();
    if (multi_ == nullptr)
        return;
    curl_multi_setopt(multi_, CURLMOPT_MAX_HOST_CONNECTIONS, static_cast<long>(limits_.perHost));
    keepConnections(0);
    curl_multi_setopt(multi_, CURLMOPT_PIPELINING, CURLPIPE_MULTIPLEX);
    driver_ = std::jthread([this](std::stop_token stop) { drive(stop); });
}

RequestEngine::~RequestEngine() {
    if (driver_.joinable()) {
        driver_.request_stop();
        curl_multi_wakeup(multi_);
        driver_.join();
    }
    for (auto& [easy, job] : transfers_) {
        curl_multi_remove_handle(multi_, easy);
        job->transfer.reset();
    }
    transfers_.clear();
    idleTransfers_.clear();
    if (multi_ != nullptr)
        curl_multi_cleanup(multi_);
}

void RequestEngine::startCheck(std::optional<std::vector<LinkRequest>> queue, std::chrono::milliseconds limit) {
    {
        const std::lock_guard lock(mutex_);
        cancelLocked();
        lookingAhead_ = queue.has_value() && limits_.parallel > 1;
        hostsQueued_ = 0;
        if (lookingAhead_) {
            std::unordered_set<std::string> hosts;
            for (const LinkRequest& link : *queue)
                hosts.insert(link.host);
            hostsQueued_ = hosts.size();
            queue_ = std::move(*queue);
            queueLimit_ = limit;
            taken_.assign(queue_.size(), false);
            for (std::size_t i = 0; i < queue_.size(); ++i)
                positions_[queue_[i].key].push_back(i);
        }
        failed_.clear();
        if (reuse_ == AnswerReuse::WithinCheck)
            kept_.clear();
    }
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

UrlAnswer RequestEngine::ask(const LinkRequest& request, std::chrono::milliseconds limit,
                             const std::function<bool()>& aborted, const std::function<void()>& connected) {
    if (multi_ == nullptr)
        return failedAnswer(FailureKind::NoClient);
    std::unique_lock lock(mutex_);
    if (const auto it = kept_.find(request.key); lookingAhead_ && it != kept_.end()) {
        const Kept kept = it->second;
        lock.unlock();
        if (kept.connected)
            connected();
        UrlAnswer answer = kept.answer;
        answer.requests = 0;
        return answer;
    }
    JobPtr& slot = jobs_[request.key];
    if (!slot) {
        slot = std::make_shared<Job>(request, limit);
        waiting_.push_back(slot);
        // The worker asks for this position itself, so the look-ahead passes over it.
        if (const auto it = positions_.find(request.key); it != positions_.end()) {
            for (const std::size_t position : it->second) {
                if (!taken_[position]) {
                    taken_[position] = true;
                    break;
                }
            }
        }
        curl_multi_wakeup(multi_);
    }
    const JobPtr job = slot;
    bool connectedTold = false;
    while (job->state != Job::State::Done && !job->dropped) {
        if (aborted())
            return failedAnswer(FailureKind::Stopped);
        if (job->connected && !connectedTold) {
            connectedTold = true;
            lock.unlock();
            connected();
            lock.lock();
            continue;
        }
        answered_.wait_for(lock, kAbortPoll);
    }
    if (job->dropped)
        return failedAnswer(FailureKind::Stopped);
    UrlAnswer answer = job->answer;
    const bool wasConnected = job->connected;
    if (const auto it = jobs_.find(request.key); it != jobs_.end() && it->second == job)
        jobs_.erase(it);
    if (answer.status == 0)
        failed_.insert(request.key);
    else if (isGood(answer.status) && lookingAhead_ && request.bodyLimit == 0)
        kept_[request.key] = {answer, wasConnected};
    lock.unlock();
    if (wasConnected && !connectedTold)
        connected();
    return answer;
}

void RequestEngine::cancel() {
    {
        const std::lock_guard lock(mutex_);
        cancelLocked();
    }
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

void RequestEngine::cancelLocked() {
    for (auto& [key, job] : jobs_) {
        job->dropped = true;
        if (job->state == Job::State::Running)
            dropped_.push_back(job);
    }
    jobs_.clear();
    waiting_.clear();
    queue_.clear();
    taken_.clear();
    positions_.clear();
    next_ = 0;
    answered_.notify_all();
}

bool RequestEngine::startable(const Job& job, Clock::time_point now) const {
    return job.notBefore <= now && pacing_.mayStart(job.request.host, now);
}

void RequestEngine::pickJobsLocked(Clock::time_point now, std::vector<JobPtr>& toStart) {
    // The worker waits for its own asks (and for retries it may be waiting on): they go first, one over
    // the limit if need be, so the look-ahead never keeps the worker waiting for a free place.
    for (auto it = waiting_.begin(); it != waiting_.end() && running_ <= limits_.parallel;) {
        if (startable(**it, now)) {
            pacing_.started((*it)->request.host);
            ++running_;
            (*it)->state = Job::State::Running;
            toStart.push_back(*it);
            it = waiting_.erase(it);
        } else {
            ++it;
        }
    }
    while (next_ < taken_.size() && taken_[next_])
        ++next_;
    const std::size_t end = std::min(taken_.size(), next_ + kSearchWindow);
    for (std::size_t position = next_; position < end && running_ < limits_.parallel; ++position) {
        if (taken_[position])
            continue;
        const LinkRequest& link = queue_[position];
        // Answered already, or failed, which the worker does not ask again in this check.
        if (jobs_.contains(link.key) || failed_.contains(link.key) || kept_.contains(link.key)) {
            taken_[position] = true;
            continue;
        }
        if (!pacing_.mayStart(link.host, now))
            continue;
        taken_[position] = true;
        auto job = std::make_shared<Job>(link, queueLimit_);
        job->state = Job::State::Running;
        jobs_.emplace(link.key, job);
        pacing_.started(link.host);
        ++running_;
        toStart.push_back(std::move(job));
    }
}

void RequestEngine::launch(const JobPtr& job) {
    Job& state = *job;
    const Clock::time_point now = Clock::now();
    if (!state.deadline && state.limit.count() > 0)
        state.deadline = now + state.limit;
    long timeoutMs = 0;
    if (state.deadline) {
        timeoutMs = static_cast<long>(std::chrono::ceil<std::chrono::milliseconds>(*state.deadline - now).count());
        if (timeoutMs <= 0) {
            // No time left for the next request (the GET after a HEAD, a refused link asked again): what
            // the HEAD answered stands, if it did.
            UrlAnswer answer = state.headStatus != 0 ? UrlAnswer{} : failedAnswer(FailureKind::TimedOut);
            answer.status = state.headStatus;
            answer.location = std::move(state.headLocation);
            answer.headers = std::move(state.headHeaders);
            answer.requests = state.requests;
            complete(job, std::move(answer));
            return;
        }
    }
    if (!state.get && (state.request.bodyLimit > 0 || getOnly_.contains(state.request.url)))
        state.get = true;
    if (!state.transfer) {
        if (!idleTransfers_.empty()) {
            state.transfer = std::move(idleTransfers_.back());
            idleTransfers_.pop_back();
        } else {
            state.transfer = std::make_unique<LinkTransfer>(headers_);
        }
    }
    CURL* easy = state.transfer->prepare(state.request.url, state.get, timeoutMs, state.request.bodyLimit);
    if (easy == nullptr) {
        complete(job, failedAnswer(FailureKind::NoClient));
        return;
    }
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) {
        complete(job, failedAnswer(FailureKind::MalformedUrl));
        return;
    }
    ++state.requests;
    transfers_.emplace(easy, job);
}

// Every connection that may be in use (the worker's own ask may run one over the limit, see
// pickJobsLocked) is kept when it falls idle, and one to each host the check's queue names, so the
// look-ahead over a page that goes round many hosts finds its connection to the next one still open: a
// connection closed to make room would be opened again moments later. At least a few are kept for one at
// a time over several hosts. On the driver's thread, or before it runs.
void RequestEngine::keepConnections(std::size_t hosts) {
    const long kept = std::min(
        descriptors_.connections,
        std::clamp(static_cast<long>(hosts), std::max<long>(limits_.parallel + 1, kFewestKeptConnections),
                   std::max<long>(limits_.parallel + 1, kMostKeptConnections)));
    if (kept == keptConnections_)
        return;
    keptConnections_ = kept;
    curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, kept);
    curl_multi_setopt(multi_, CURLMOPT_MAX_TOTAL_CONNECTIONS, kept);
}

void RequestEngine::drive(std::stop_token stop) {
    std::vector<JobPtr> toStart;
    while (!stop.stop_requested()) {
        std::vector<JobPtr> ended;
        std::size_t hosts = 0;
        {
            const std::lock_guard lock(mutex_);
            hosts = hostsQueued_;
            ended.swap(dropped_);
            for (const JobPtr& job : ended) {
                pacing_.ended(job->request.host);
                --running_;
            }
            pickJobsLocked(Clock::now(), toStart);
        }
        keepConnections(hosts);
        // A dropped request's connection is closed with it: nothing of an ended check goes on.
        for (const JobPtr& job : ended)
            detach(*job);
        for (const JobPtr& job : toStart)
            launch(job);
        toStart.clear();
        int running = 0;
        curl_multi_perform(multi_, &running);
        publishConnections();
        // A request that ended gave back its place: the next one starts at once.
        if (!readFinished())
            curl_multi_poll(multi_, nullptr, 0, waitMilliseconds(), nullptr);
    }
}

int RequestEngine::waitMilliseconds() {
    const std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    std::optional<Clock::time_point> wake = pacing_.nextRelease(now);
    for (const JobPtr& job : waiting_) {
        if (job->notBefore > now && (!wake || job->notBefore < *wake))
            wake = job->notBefore;
    }
    if (!wake)
        return kLongestWaitMs;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
    return static_cast<int>(std::clamp<long long>(left, 1, kLongestWaitMs));
}

void RequestEngine::detach(Job& job) {
    if (job.transfer && job.transfer->easy() != nullptr) {
        curl_multi_remove_handle(multi_, job.transfer->easy());
        transfers_.erase(job.transfer->easy());
    }
    giveBack(job);
}

// A request's handle serves the next request: made once per place, not once per request.
void RequestEngine::giveBack(Job& job) {
    if (!job.transfer)
        return;
    if (idleTransfers_.size() <= static_cast<std::size_t>(limits_.parallel))
        idleTransfers_.push_back(std::move(job.transfer));
    job.transfer.reset();
}

// For a worker waiting on a request: its connection is ready, and the status line may say so.
void RequestEngine::publishConnections() {
    std::vector<JobPtr> ready;
    for (const auto& [easy, job] : transfers_) {
        if (job->transfer->ready() && !job->readyPublished) {
            job->readyPublished = true;
            ready.push_back(job);
        }
    }
    if (ready.empty())
        return;
    const std::lock_guard lock(mutex_);
    for (const JobPtr& job : ready)
        job->connected = true;
    answered_.notify_all();
}

bool RequestEngine::readFinished() {
    int queued = 0;
    std::vector<std::pair<JobPtr, CURLcode>> finished;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        if (const auto it = transfers_.find(message->easy_handle); it != transfers_.end())
            finished.emplace_back(it->second, message->data.result);
    }
    for (auto& [job, result] : finished)
        finish(job, result);
    return !finished.empty();
}

void RequestEngine::finish(const JobPtr& job, CURLcode result) {
    Job& state = *job;
    {
        const std::lock_guard lock(mutex_);
        if (state.dropped)
            return;  // its place and host were given back when it was dropped
    }
    LinkTransfer& transfer = *state.transfer;
    const int status = transfer.finalStatus();
    std::string location = transfer.redirectTarget(state.request);
    state.everReady = state.everReady || transfer.ready();
    curl_multi_remove_handle(multi_, transfer.easy());
    transfers_.erase(transfer.easy());

    // The server answers this URL's GET but not its HEAD: it is not asked with HEAD again in this run.
    if (state.get && state.headStatus != 0 && status != 0)
        getOnly_.insert(state.request.url);
    if (!state.get && asksAgainWithGet(status)) {
        state.get = true;
        state.headStatus = status;
        state.headLocation = std::move(location);
        state.headHeaders = transfer.headers();
        launch(job);
        return;
    }
    const Clock::time_point now = Clock::now();
    // Out of descriptors here: that is no answer about the link, which is asked again when one is free.
    if (status == 0 && transfer.lackedSocket()) {
        const Clock::time_point retryAt = now + kNoSocketPause;
        const std::lock_guard lock(mutex_);
        if (state.dropped) {
            giveBack(state);
            return;
        }
        if (state.deadline ? retryAt < *state.deadline : state.noSocket < kMostNoSocketRetries) {
            ++state.noSocket;
            askAgainLocked(job, retryAt);
            return;
        }
    }
    if (isRefusal(status)) {
        std::optional<std::chrono::milliseconds> wait;
        if (const std::string_view retryAfter = findHeader(transfer.headers(), "retry-after"); !retryAfter.empty())
            wait = parseRetryAfter(std::string(retryAfter));
        const std::lock_guard lock(mutex_);
        if (state.dropped) {
            giveBack(state);
            return;
        }
        const Clock::time_point heldUntil = pacing_.refused(state.request.host, wait, now);
        if (state.refusals < kRetriesAfterRefusal && (!state.deadline || heldUntil < *state.deadline)) {
            ++state.refusals;
            askAgainLocked(job, heldUntil);
            return;
        }
    }
    UrlAnswer answer;
    // When the GET gets no answer of its own, the HEAD's stands: the server did answer.
    if (status == 0 && state.headStatus != 0) {
        answer.status = state.headStatus;
        answer.location = std::move(state.headLocation);
        answer.headers = std::move(state.headHeaders);
    } else {
        answer.status = status;
        answer.location = std::move(location);
        answer.headers = transfer.headers();
    }
    if (transfer.bodyTooLong()) {
        answer.status = 0;
        answer.failureKind = FailureKind::Other;
        answer.failure = "answer longer than " + std::to_string(state.request.bodyLimit) + " bytes";
    } else if (answer.status == 0) {
        TransferFailure failure = transfer.failure(result);
        answer.failureKind = failure.kind;
        answer.failure = std::move(failure.words);
    } else if (state.request.bodyLimit > 0) {
        answer.body = transfer.takeBody();
    }
    answer.stillRefused = isRefusal(answer.status);
    answer.requests = state.requests;
    complete(job, std::move(answer));
}

// The job goes back to the front of the worker's queue, from its HEAD, to start at `notBefore`.
void RequestEngine::askAgainLocked(const JobPtr& job, Clock::time_point notBefore) {
    Job& state = *job;
    pacing_.ended(state.request.host);
    --running_;
    state.state = Job::State::Waiting;
    state.notBefore = notBefore;
    state.get = false;
    state.headStatus = 0;
    waiting_.push_front(job);
    giveBack(state);
}

void RequestEngine::complete(const JobPtr& job, UrlAnswer answer) {
    Job& state = *job;
    const bool ready = state.everReady || (state.transfer && state.transfer->ready());
    giveBack(state);
    const std::lock_guard lock(mutex_);
    if (state.dropped)
        return;
    pacing_.ended(state.request.host);
    if (!isRefusal(answer.status) && answer.status != 0)
        pacing_.answered(state.request.host);
    --running_;
    state.connected = state.connected || ready;
    state.answer = std::move(answer);
    state.state = Job::State::Done;
    answered_.notify_all();
}

std::shared_ptr<RequestEngine> runEngine(RunContext& run) {
    const RunOptions& options = run.options();
    // Made once a run, so a setting out of range is said once.
    return run.engine([&options] {
        return std::make_shared<RequestEngine>(requestLimits(options.requests, options.notices), options.goodAnswers,
                                               options.requests);
    });
}

}  // namespace tarn
