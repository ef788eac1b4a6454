#include "contracts/host/CExtenUrlChecker.h"

#include <optional>
#include <string>

#include "hostlibs/url/CheckJournal.h"
#include "hostlibs/url/CheckerLookahead.h"
#include "hostlibs/url/EscapeRequestUrl.h"
#include "hostlibs/url/HttpTransfer.h"
#include "hostlibs/url/RequestRules.h"
#include "contracts/host/CUrlEngineer.h"
#include "contracts/host/IsProtocol.h"
#include "contracts/host/Url.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinUser.h"

namespace {

// Blocking, so the dialog has shown each step before the next begins.
void notifyOwner(CWnd* owner, UINT message, WPARAM wParam, LPARAM lParam) {
    if (owner != nullptr && IsWindow(owner->GetSafeHwnd()))
        SendMessageW(owner->GetSafeHwnd(), message, wParam, lParam);
}

class CheckEvents final : public tarn::TransferEvents {
public:
    CheckEvents(CWnd* owner, const std::atomic<bool>& closeRequested, unsigned int host)
        : owner_(owner), closeRequested_(closeRequested), host_(host) {}

    bool aborted() override {
        return closeRequested_.load() || CUrlEngineer::getInstance()->isStopRequired();
    }

    // Once per call, though a GET after the HEAD connects again.
    void connected() override {
        if (!connectedSent_) {
            connectedSent_ = true;
            notifyOwner(owner_, WM_HTTP_CONNECTED, host_, 0);
        }
    }

private:
    CWnd* owner_;
    const std::atomic<bool>& closeRequested_;
    unsigned int host_;
    bool connectedSent_ = false;
};

// The answer for one call from the look-ahead, with the messages one request of its own would send.
bool answerFromLookahead(tarn::LinkLookahead& lookahead, const tarn::LinkRequest& request, CWnd* owner,
                         unsigned int host, CheckEvents& events, int& status) {
    tarn::LinkAnswer answer =
        lookahead.ask(request, [&events] { return events.aborted(); }, [&events] { events.connected(); });
    if (events.aborted()) {
        answer = tarn::LinkAnswer{};
        answer.failure = "stopped";
    }
    tarn::CheckJournal::instance().record(request.key, answer.status, std::move(answer.location),
                                          std::move(answer.failure), answer.requests);
    if (answer.status != 0)
        notifyOwner(owner, WM_HTTP_PROCESS_DONE, host, answer.status);
    notifyOwner(owner, WM_HTTP_STATUS_CLEAR, 0, 0);
    status = answer.status;
    return answer.status != 0;
}

}  // namespace

CExtenUrlChecker::CExtenUrlChecker()
    : transfer_(std::make_unique<tarn::HttpTransfer>(tarn::checkerUserAgent())),
      lookahead_(std::make_unique<tarn::CheckerLookahead>()) {}

CExtenUrlChecker::~CExtenUrlChecker() = default;

bool CExtenUrlChecker::getHeaderStatus(const CString& url, int& status, bool) {
    status = 0;
    // A close() that came before this call began ended nothing; one from now on ends this call.
    closeRequested_.store(false);
    CUrlEngineer* engine = CUrlEngineer::getInstance();
    const std::string asked = url.ToUtf8();
    tarn::CheckJournal& journal = tarn::CheckJournal::instance();
    if (engine->isStopRequired()) {
        journal.record(asked, 0, {}, "stopped", 0);
        return false;
    }
    const Url parsed(url);
    const CString target = parsed.requestUrl();
    if (!is_protocol(target, u"http:") && !is_protocol(target, u"https:")) {
        journal.record(asked, 0, {}, "not an http or https URL", 0);
        return false;
    }
    const std::string requestUrl = tarn::escapeRequestUrl(target.ToUtf8());

    const unsigned int host = engine->rememberHost(parsed.get_element(tarn::URL_HOST));
    CheckEvents events(ownerWnd, closeRequested_, host);
    tarn::LinkLookahead* lookahead =
        lookahead_->forCall(ownerWnd != nullptr ? ownerWnd->GetSafeHwnd() : nullptr, limit);
    notifyOwner(ownerWnd, WM_HTTP_CONNECTING, host, 0);
    if (lookahead != nullptr)
        return answerFromLookahead(*lookahead, {asked, requestUrl, tarn::hostKey(parsed)}, ownerWnd, host,
                                   events, status);
    std::optional<tarn::HttpTransfer::Clock::time_point> deadline;
    if (limit > 0)
        deadline = tarn::HttpTransfer::Clock::now() + std::chrono::milliseconds(limit);

    using Method = tarn::HttpTransfer::Method;
    int answer = transfer_->fetch(requestUrl, Method::Head, deadline, events);
    std::string location = transfer_->location();
    std::string failure = transfer_->failure();
    int requests = 1;
    // When the GET gets no answer of its own, the HEAD's stands: the server did answer.
    if (tarn::asksAgainWithGet(answer) && !events.aborted()) {
        ++requests;
        if (const int got = transfer_->fetch(requestUrl, Method::GetHeaders, deadline, events)) {
            answer = got;
            location = transfer_->location();
        }
    }
    if (events.aborted()) {
        answer = 0;
        failure = "stopped";
    }
    journal.record(asked, answer, answer != 0 ? std::move(location) : std::string(),
                   answer != 0 ? std::string() : std::move(failure), requests);

    if (answer != 0)
        notifyOwner(ownerWnd, WM_HTTP_PROCESS_DONE, host, answer);
    notifyOwner(ownerWnd, WM_HTTP_STATUS_CLEAR, 0, 0);
    status = answer;
    return answer != 0;
}

void CExtenUrlChecker::close() {
    closeRequested_.store(true);
    transfer_->wake();
    lookahead_->cancel();
}

void CExtenUrlChecker::clearhttpClient() {
    transfer_->release();
    lookahead_->release();
}
