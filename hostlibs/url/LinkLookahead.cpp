#include "hostlibs/url/LinkLookahead.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "hostlibs/url/RequestRules.h"
#include "hostlibs/url/LinkTransfer.h"

namespace tarn {
namespace {

// How far past the first untaken position the look-ahead searches for a link whose host is free, so a
// page that links one host many times in a row does not hold back the others.
constexpr std::size_t kSearchWindow = 256;
// A refusal is asked again after the host's hold, this many times at most, and only within the link's limit.
constexpr int kRetriesAfterRefusal = 2;
// The driver wakes at least this often, though nothing happens, to start what a hold kept back.
constexpr int kLongestWaitMs = 1000;
// Connections kept open, idle ones included: enough for the per-host limit to a good many hosts.
constexpr long kKeptConnections = 64;
// How often a waiting worker asks whether it was stopped, besides being woken.
constexpr std::chrono::milliseconds kAbortPoll{20};

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isGood(int status) { return status >= 200 && status < 400; }

bool isRefusal(int status) { return status == 429 || status == 503; }

LinkAnswer stoppedAnswer() {
    LinkAnswer answer;
    answer.failure = "stopped";
    return answer;
}

// 2xx and 3xx answers of the run (or of every run, in a batch check), by key.
struct GoodAnswers {
    std::mutex mutex;
    std::unordered_map<std::string, LinkAnswer> answers;
};

GoodAnswers& goodAnswers() {
    static GoodAnswers store;
    return store;
}

}  // namespace

struct LinkLookahead::Job {
    explicit Job(LinkRequest link) : request(std::move(link)) {}

    enum class State { Waiting, Running, Done };

    LinkRequest request;
    // Under the owner's mutex.
    State state = State::Waiting;
    bool dropped = false;  // its run ended: stopped, or a new run began
    Clock::time_point notBefore{};
    bool connected = false;
    LinkAnswer answer;

    // The driver's own.
    LinkTransfer transfer;
    std::optional<Clock::time_point> deadline;
    bool get = false;  // the GET after a HEAD
    int headStatus = 0;
    std::string headLocation;
    int refusals = 0;
    bool readyPublished = false;
};

LinkLookahead::LinkLookahead(LookaheadLimits limits, std::chrono::milliseconds limit)
    : limits_(limits), limit_(limit), pacing_(limits.perHost) {
    initialiseCurlOnce();
    multi_ = curl_multi_init();
    if (multi_ == nullptr)
        return;
    curl_multi_setopt(multi_, CURLMOPT_MAX_HOST_CONNECTIONS, static_cast<long>(limits_.perHost));
    // Idle connections to the page's recent hosts are kept for the links still to come: a connection
    // closed to make room would be opened again to the same host moments later.
    curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, kKeptConnections);
    curl_multi_setopt(multi_, CURLMOPT_MAX_TOTAL_CONNECTIONS,
                      std::max(kKeptConnections, static_cast<long>(limits_.parallel + 1)));
    curl_multi_setopt(multi_, CURLMOPT_PIPELINING, CURLPIPE_MULTIPLEX);
    driver_ = std::jthread([this](std::stop_token stop) { drive(stop); });
}

LinkLookahead::~LinkLookahead() {
    if (driver_.joinable()) {
        driver_.request_stop();
        curl_multi_wakeup(multi_);
        driver_.join();
    }
    for (auto& [easy, job] : transfers_) {
        curl_multi_remove_handle(multi_, easy);
        job->transfer.release();
    }
    transfers_.clear();
    if (multi_ != nullptr)
        curl_multi_cleanup(multi_);
}

void LinkLookahead::startRun(std::vector<LinkRequest> queue) {
    {
        const std::lock_guard lock(mutex_);
        cancelLocked();
        queue_ = std::move(queue);
        taken_.assign(queue_.size(), false);
        positions_.clear();
        for (std::size_t i = 0; i < queue_.size(); ++i)
            positions_[queue_[i].key].push_back(i);
        next_ = 0;
        failed_.clear();
    }
    if (!goodAnswersKeptAcrossRuns()) {
        GoodAnswers& good = goodAnswers();
        const std::lock_guard lock(good.mutex);
        good.answers.clear();
    }
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

LinkAnswer LinkLookahead::ask(const LinkRequest& request, const std::function<bool()>& aborted,
                              const std::function<void()>& connected) {
    std::optional<LinkAnswer> kept;
    {
        GoodAnswers& good = goodAnswers();
        const std::lock_guard lock(good.mutex);
        if (const auto it = good.answers.find(request.key); it != good.answers.end())
            kept = it->second;
    }
    if (kept) {
        kept->requests = 0;
        if (kept->connected)
            connected();
        return *kept;
    }
    if (multi_ == nullptr) {
        LinkAnswer answer;
        answer.failure = "no HTTP client";
        return answer;
    }
    std::unique_lock lock(mutex_);
    JobPtr& slot = jobs_[request.key];
    if (!slot) {
        slot = std::make_shared<Job>(request);
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
            return stoppedAnswer();
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
        return stoppedAnswer();
    LinkAnswer answer = job->answer;
    if (answer.connected && !connectedTold) {
        lock.unlock();
        connected();
        lock.lock();
    }
    jobs_.erase(request.key);
    if (answer.status == 0)
        failed_.insert(request.key);
    lock.unlock();
    if (isGood(answer.status)) {
        GoodAnswers& good = goodAnswers();
        const std::lock_guard goodLock(good.mutex);
        good.answers[request.key] = answer;
    }
    return answer;
}

void LinkLookahead::cancel() {
    {
        const std::lock_guard lock(mutex_);
        cancelLocked();
    }
    if (multi_ != nullptr)
        curl_multi_wakeup(multi_);
}

void LinkLookahead::cancelLocked() {
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

bool LinkLookahead::startable(const Job& job, Clock::time_point now) const {
    return job.notBefore <= now && pacing_.mayStart(job.request.host, now);
}

void LinkLookahead::pickJobsLocked(Clock::time_point now, std::vector<JobPtr>& toStart) {
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
    GoodAnswers& good = goodAnswers();
    const std::lock_guard goodLock(good.mutex);
    const std::size_t end = std::min(taken_.size(), next_ + kSearchWindow);
    for (std::size_t position = next_; position < end && running_ < limits_.parallel; ++position) {
        if (taken_[position])
            continue;
        const LinkRequest& link = queue_[position];
        // Answered already, or failed, which the worker does not ask again in this run.
        if (jobs_.contains(link.key) || failed_.contains(link.key) || good.answers.contains(link.key)) {
            taken_[position] = true;
            continue;
        }
        if (!pacing_.mayStart(link.host, now))
            continue;
        taken_[position] = true;
        auto job = std::make_shared<Job>(link);
        job->state = Job::State::Running;
        jobs_.emplace(link.key, job);
        pacing_.started(link.host);
        ++running_;
        toStart.push_back(std::move(job));
    }
}

void LinkLookahead::launch(const JobPtr& job) {
    Job& state = *job;
    const Clock::time_point now = Clock::now();
    if (!state.deadline && limit_.count() > 0)
        state.deadline = now + limit_;
    long timeoutMs = 0;
    if (state.deadline) {
        timeoutMs = static_cast<long>(
            std::chrono::ceil<std::chrono::milliseconds>(*state.deadline - now).count());
        if (timeoutMs <= 0) {
            LinkAnswer answer;
            answer.status = state.headStatus;
            answer.location = state.headLocation;
            answer.failure = state.headStatus != 0 ? std::string() : "timed out";
            answer.requests = state.get ? 1 : 0;
            complete(job, std::move(answer));
            return;
        }
    }
    CURL* easy = state.transfer.prepare(state.request.url, state.get, timeoutMs);
    if (easy == nullptr) {
        LinkAnswer answer;
        answer.failure = "no HTTP client";
        complete(job, std::move(answer));
        return;
    }
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) {
        LinkAnswer answer;
        answer.failure = "malformed URL";
        complete(job, std::move(answer));
        return;
    }
    transfers_.emplace(easy, job);
}

void LinkLookahead::drive(std::stop_token stop) {
    std::vector<JobPtr> toStart;
    while (!stop.stop_requested()) {
        std::vector<JobPtr> ended;
        {
            const std::lock_guard lock(mutex_);
            ended.swap(dropped_);
            for (const JobPtr& job : ended) {
                pacing_.ended(job->request.host);
                --running_;
            }
            pickJobsLocked(Clock::now(), toStart);
        }
        // A dropped request's connection is closed with it: nothing of an ended run goes on.
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

int LinkLookahead::waitMilliseconds() {
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

void LinkLookahead::detach(Job& job) {
    CURL* easy = job.transfer.easy();
    if (easy == nullptr)
        return;
    curl_multi_remove_handle(multi_, easy);
    transfers_.erase(easy);
    job.transfer.release();
}

// For a worker waiting on a request: its connection is ready, and the status line may say so.
void LinkLookahead::publishConnections() {
    std::vector<JobPtr> ready;
    for (const auto& [easy, job] : transfers_) {
        if (job->transfer.ready() && !job->readyPublished) {
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

bool LinkLookahead::readFinished() {
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

void LinkLookahead::finish(const JobPtr& job, CURLcode result) {
    Job& state = *job;
    {
        const std::lock_guard lock(mutex_);
        if (state.dropped)
            return;  // its place and host were given back when it was dropped
    }
    const int status = state.transfer.finalStatus();
    std::string location = state.transfer.redirectTarget();
    curl_multi_remove_handle(multi_, state.transfer.easy());
    transfers_.erase(state.transfer.easy());

    if (!state.get && asksAgainWithGet(status)) {
        state.get = true;
        state.headStatus = status;
        state.headLocation = std::move(location);
        launch(job);
        return;
    }
    const Clock::time_point now = Clock::now();
    if (isRefusal(status)) {
        std::optional<std::chrono::milliseconds> wait;
        if (!state.transfer.retryAfter().empty())
            wait = parseRetryAfter(state.transfer.retryAfter());
        const std::lock_guard lock(mutex_);
        const Clock::time_point heldUntil = pacing_.refused(state.request.host, wait, now);
        if (state.refusals < kRetriesAfterRefusal && (!state.deadline || heldUntil < *state.deadline)) {
            ++state.refusals;
            pacing_.ended(state.request.host);
            --running_;
            state.state = Job::State::Waiting;
            state.notBefore = heldUntil;
            state.get = false;
            state.headStatus = 0;
            waiting_.push_front(job);
            return;
        }
    }
    LinkAnswer answer;
    // When the GET gets no answer of its own, the HEAD's stands: the server did answer.
    if (status == 0 && state.headStatus != 0) {
        answer.status = state.headStatus;
        answer.location = std::move(state.headLocation);
    } else {
        answer.status = status;
        answer.location = std::move(location);
    }
    if (answer.status == 0)
        answer.failure = state.transfer.failure(result);
    answer.requests = 1 + (state.get ? 1 : 0) + state.refusals;
    answer.connected = state.transfer.ready();
    complete(job, std::move(answer));
}

void LinkLookahead::complete(const JobPtr& job, LinkAnswer answer) {
    Job& state = *job;
    if (CURL* easy = state.transfer.easy()) {
        transfers_.erase(easy);
        state.transfer.release();
    }
    const std::lock_guard lock(mutex_);
    if (state.dropped)
        return;
    pacing_.ended(state.request.host);
    if (!isRefusal(answer.status) && answer.status != 0)
        pacing_.answered(state.request.host);
    --running_;
    state.answer = std::move(answer);
    state.state = Job::State::Done;
    answered_.notify_all();
}

}  // namespace tarn
