#pragma once
#include <atomic>
#include <memory>

#include "platform/afx/CString.h"

class CWnd;

// Asks a web server for a link's status line, for the check engine's worker thread.
//
// - HEAD first. Redirects are not followed (a 3xx is the answer), and 1xx answers are interim. When a
//   HEAD gets one of the statuses servers often give to HEAD alone (400, 403, 404, 405, 500, 501), the
//   same URL is asked again with GET, whose headers are read and whose body is not. A host that answers
//   429 or 503 is asked again once it may be (Retry-After), within the limit.
// - Connections, DNS answers and TLS sessions are kept from one call to the next. Proxies named by the
//   environment (http_proxy, https_proxy, no_proxy) are used, and TLS certificates are verified.
// - `limit` bounds the whole call in milliseconds (0 or less: no bound); the HEAD and the GET share it.
// - The messages of CUrlEngineer.h go to ownerWnd (when it is set and its window exists).
// - Host side: every request goes through the request engine of the run in effect when the checker is
//   made (hostlibs/run/RunContext.h), which may ask the links the dialog queued ahead of the calls, and
//   each call's answer goes into that run's journal.
class CExtenUrlChecker {
public:
    CExtenUrlChecker();
    CExtenUrlChecker(const CExtenUrlChecker&) = delete;
    CExtenUrlChecker& operator=(const CExtenUrlChecker&) = delete;
    virtual ~CExtenUrlChecker();

    // True with the final HTTP status (200..999) when a server answered; false with status 0 when
    // none did (no such host, refused, reset, timed out, TLS failure, not an http/https URL, stopped,
    // closed). Returns false at once, before any network work, while the engine's stop flag is set.
    // The URL is requested as Url::requestUrl gives it; what a browser would escape is escaped.
    // The third argument is unused.
    bool getHeaderStatus(const CString& url, int& status, bool unused);

    // From any thread: ends the request under way at once, in whatever phase (resolving, connecting,
    // TLS, waiting for the answer); its getHeaderStatus returns false. Waits for nothing and takes no
    // lock a message is sent under. Without a request under way it does nothing, and the next
    // getHeaderStatus works as usual.
    void close();

    // Ends this checker's requests and lets go of the client. Later calls get no answer; close() stays safe.
    void clearhttpClient();

    CWnd* ownerWnd = nullptr;
    int limit = 20000;

private:
    struct Session;
    std::unique_ptr<Session> session_;  // the run, its request engine, and the check this checker serves
    std::atomic<bool> closeRequested_{false};
};
