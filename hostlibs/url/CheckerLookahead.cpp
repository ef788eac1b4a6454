#include "hostlibs/url/CheckerLookahead.h"

#include <algorithm>

#include "hostlibs/url/CheckRuns.h"
#include "hostlibs/url/EscapeRequestUrl.h"
#include "hostlibs/url/QueuedLinks.h"
#include "contracts/host/IsProtocol.h"
#include "contracts/host/Url.h"

namespace tarn {
namespace {

// A queued link as the worker will ask for it: without the parameters of its last segment, which the
// worker drops (";jsessionid=..."). Nothing for what is no http or https URL: the checker answers those
// at once.
std::optional<LinkRequest> requestFor(const std::u16string& link) {
    CString target(link);
    const Url parsed(target);
    if (!parsed.get_element(URL_PARAMS).IsEmpty())
        target = parsed.get_url_woparams();
    const Url asked(target);
    const CString requestUrl = asked.requestUrl();
    if (!is_protocol(requestUrl, u"http:") && !is_protocol(requestUrl, u"https:"))
        return std::nullopt;
    return LinkRequest{target.ToUtf8(), escapeRequestUrl(requestUrl.ToUtf8()),
                       hostKey(asked)};
}

}  // namespace

std::string hostKey(const Url& url) {
    std::string text = url.get_element(URL_HOST).ToUtf8() + ":" + url.get_element(URL_PORT).ToUtf8();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

LinkLookahead* CheckerLookahead::forCall(HWND owner, long limitMs) {
    const unsigned long run = stopFlagSettings();
    if (runSeen_ != run) {
        runSeen_ = run;
        beginRun(owner, limitMs);
    }
    if (!active_)
        return nullptr;
    const std::lock_guard lock(mutex_);
    return lookahead_.get();
}

void CheckerLookahead::beginRun(HWND owner, long limitMs) {
    const LookaheadLimits limits = lookaheadLimits();
    const std::optional<std::vector<std::u16string>> queued =
        limits.parallel > 1 ? queuedLinks(owner) : std::nullopt;
    active_ = queued.has_value();
    if (!active_)
        return;
    std::vector<LinkRequest> queue;
    queue.reserve(queued->size());
    for (const std::u16string& link : *queued) {
        if (std::optional<LinkRequest> request = requestFor(link))
            queue.push_back(std::move(*request));
    }
    const std::chrono::milliseconds limit(std::max(0L, limitMs));
    const std::lock_guard lock(mutex_);
    if (!lookahead_ || lookahead_->limits().parallel != limits.parallel ||
        lookahead_->limits().perHost != limits.perHost || lookahead_->limit() != limit)
        lookahead_ = std::make_unique<LinkLookahead>(limits, limit);
    lookahead_->startRun(std::move(queue));
}

void CheckerLookahead::cancel() {
    const std::lock_guard lock(mutex_);
    if (lookahead_)
        lookahead_->cancel();
}

void CheckerLookahead::release() {
    std::unique_ptr<LinkLookahead> ended;
    {
        const std::lock_guard lock(mutex_);
        ended = std::move(lookahead_);
    }
}

}  // namespace tarn
