#pragma once
#include <memory>
#include <mutex>
#include <optional>

#include "hostlibs/url/LinkLookahead.h"
#include "platform/win/WinTypes.h"

class Url;

namespace tarn {

// Whom the per-host limit counts a request against: the URL's host in lower case, and its port, as a
// connection is made to them.
std::string hostKey(const Url& url);

// The header checker's look-ahead from run to run. At the first call of a run (see CheckRuns.h) it reads
// the run's queue from the dialog the checker reports to and starts a look-ahead over it; a run with
// parallel 1, or whose owner shows no link list, asks one link at a time as before.
class CheckerLookahead {
public:
    // On the worker's thread, at each call: the look-ahead serving this call's run, or null (also after
    // release()).
    LinkLookahead* forCall(HWND owner, long limitMs);
    // From any thread, without waiting: the run's requests end and its look-ahead stops.
    void cancel();
    // Ends every request and the look-ahead's thread.
    void release();

private:
    void beginRun(HWND owner, long limitMs);

    std::optional<unsigned long> runSeen_;  // the worker's own
    bool active_ = false;                   // the worker's own
    std::mutex mutex_;                      // the look-ahead against cancel() from the UI thread
    std::unique_ptr<LinkLookahead> lookahead_;
};

}  // namespace tarn
