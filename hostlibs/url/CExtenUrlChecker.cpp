#include "contracts/host/CExtenUrlChecker.h"

#include <mutex>
#include <optional>
#include <string>

#include "contracts/host/CUrlEngineer.h"
#include "contracts/host/Url.h"
#include "hostlibs/run/AnswerCache.h"
#include "hostlibs/run/RunContext.h"
#include "hostlibs/url/AskedUrl.h"
#include "hostlibs/url/QueuedLinks.h"
#include "hostlibs/url/RequestEngine.h"
#include "hostlibs/url/StopFlagCount.h"
#include "hostlibs/url/TransferFailure.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinUser.h"

namespace {

// Blocking, so the dialog has shown each step before the next begins.
void notifyOwner(CWnd* owner, UINT message, WPARAM wParam, LPARAM lParam) {
    if (owner != nullptr && IsWindow(owner->GetSafeHwnd()))
        SendMessageW(owner->GetSafeHwnd(), message, wParam, lParam);
}

}  // namespace

// The run the checker was made in, the run's engine once the first request needs it, and the check (one
// Start of the dialog) the calls serve.
struct CExtenUrlChecker::Session {
    std::shared_ptr<tarn::RunContext> run = tarn::currentRun();
    std::mutex mutex;  // the engine against close() and clearhttpClient() from the dialog's thread
    std::shared_ptr<tarn::RequestEngine> engine;
    bool released = false;
    std::optional<unsigned long> checkSeen;  // the worker's own

    // The engine for a call of the worker; null once the client was released. The first call of a check
    // starts it on the engine, with the links the owner's list queued.
    std::shared_ptr<tarn::RequestEngine> forCall(CWnd* owner, int limit);
};

std::shared_ptr<tarn::RequestEngine> CExtenUrlChecker::Session::forCall(CWnd* owner, int limit) {
    std::shared_ptr<tarn::RequestEngine> current;
    {
        const std::lock_guard lock(mutex);
        if (released)
            return nullptr;
        if (!engine)
            engine = tarn::runEngine(*run);
        current = engine;
    }
    const unsigned long check = tarn::stopFlagSettings();
    if (checkSeen != check) {
        checkSeen = check;
        std::optional<std::vector<tarn::LinkRequest>> queue;
        if (current->limits().parallel > 1) {
            queue = tarn::queuedRequests(owner != nullptr ? owner->GetSafeHwnd() : nullptr);
            // What the cache answers is not looked ahead for.
            if (const std::shared_ptr<tarn::AnswerCache>& cache = run->options().cache)
                std::erase_if(*queue, [&cache](const tarn::LinkRequest& link) { return cache->fresh(link.key).has_value(); });
        }
        current->startCheck(std::move(queue), std::chrono::milliseconds(std::max(0, limit)));
    }
    return current;
}

CExtenUrlChecker::CExtenUrlChecker() : session_(std::make_unique<Session>()) {}

CExtenUrlChecker::~CExtenUrlChecker() = default;

bool CExtenUrlChecker::getHeaderStatus(const CString& url, int& status, bool) {
    status = 0;
    // A close() that came before this call began ended nothing; one from now on ends this call.
    closeRequested_.store(false);
    CUrlEngineer* engineer = CUrlEngineer::getInstance();
    const std::string asked = url.ToUtf8();
    tarn::CheckJournal& journal = session_->run->journal();
    if (engineer->isStopRequired()) {
        journal.record(asked, tarn::failedAnswer(tarn::FailureKind::Stopped));
        return false;
    }
    const std::optional<tarn::LinkRequest> request = tarn::requestFor(url);
    if (!request) {
        journal.record(asked, tarn::failedAnswer(tarn::FailureKind::NotHttp));
        return false;
    }
    const unsigned int host = engineer->rememberHost(Url(url).get_element(tarn::URL_HOST));
    // The run's own limit stands in for the dialog's.
    const std::optional<int> runTimeout = session_->run->options().requests.timeout;
    const int bound = runTimeout ? *runTimeout * 1000 : limit;
    const std::shared_ptr<tarn::RequestEngine> engine = session_->forCall(ownerWnd, bound);
    notifyOwner(ownerWnd, WM_HTTP_CONNECTING, host, 0);

    auto aborted = [this, engineer] { return closeRequested_.load() || engineer->isStopRequired(); };
    // Once per call, though a GET after the HEAD connects again.
    bool connectedSent = false;
    auto connected = [this, host, &connectedSent] {
        if (!connectedSent) {
            connectedSent = true;
            notifyOwner(ownerWnd, WM_HTTP_CONNECTED, host, 0);
        }
    };
    const std::shared_ptr<tarn::AnswerCache>& cache = session_->run->options().cache;
    std::optional<tarn::UrlAnswer> kept = cache ? cache->fresh(asked) : std::nullopt;
    tarn::UrlAnswer answer = kept         ? std::move(*kept)
                             : engine != nullptr
                                 ? engine->ask(*request, std::chrono::milliseconds(std::max(0, bound)), aborted, connected)
                                 : tarn::failedAnswer(tarn::FailureKind::NoClient);
    if (aborted())
        answer = tarn::failedAnswer(tarn::FailureKind::Stopped);
    else if (cache)
        cache->learn(asked, answer);
    status = answer.status;
    journal.record(asked, std::move(answer));

    if (status != 0)
        notifyOwner(ownerWnd, WM_HTTP_PROCESS_DONE, host, status);
    notifyOwner(ownerWnd, WM_HTTP_STATUS_CLEAR, 0, 0);
    return status != 0;
}

void CExtenUrlChecker::close() {
    closeRequested_.store(true);
    std::shared_ptr<tarn::RequestEngine> engine;
    {
        const std::lock_guard lock(session_->mutex);
        engine = session_->engine;
    }
    if (engine)
        engine->cancel();
}

void CExtenUrlChecker::clearhttpClient() {
    std::shared_ptr<tarn::RequestEngine> engine;
    {
        const std::lock_guard lock(session_->mutex);
        session_->released = true;
        engine = std::move(session_->engine);
    }
    if (engine)
        engine->cancel();
}
