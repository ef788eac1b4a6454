#pragma once
#include <functional>
#include <memory>
#include <string>

#include "hostlibs/run/CheckJournal.h"
#include "hostlibs/run/RunOptions.h"

namespace tarn {

class RequestEngine;  // the host's checker's (hostlibs/url/RequestEngine.h)

// One run of the link check module as the program runs it: a dialog, a page of a batch check, or a whole
// batch check. It holds the options the program gave the run and what the host's checker learnt in it.
// The module's calls on the host libraries carry no run, so the program puts the run in effect (RunScope)
// while the module works, and the libraries find it there (currentRun).
class RunContext {
public:
    explicit RunContext(RunOptions options = {});
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;

    // A page of this run: the same options and request engine (with its connections and kept answers),
    // and a journal of its own.
    std::shared_ptr<RunContext> page() const;

    const RunOptions& options() const;
    CheckJournal& journal() { return journal_; }
    // Hands a line for a person to the run's notice sink (none: dropped).
    void notice(const std::string& line) const;
    // The run's request engine, made with `make` at its first use and kept until the run and its pages end.
    std::shared_ptr<RequestEngine> engine(const std::function<std::shared_ptr<RequestEngine>()>& make);

private:
    struct Shared;
    explicit RunContext(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    CheckJournal journal_;
};

// The run in effect; outside every RunScope a new run with the default options, the caller's own.
std::shared_ptr<RunContext> currentRun();

// Puts a run in effect, and its settings store mode with it, for the scope's life; then the run that was
// in effect before (and its mode) again. Made on the thread that runs the dialog, around the module's work.
class RunScope {
public:
    explicit RunScope(std::shared_ptr<RunContext> run);
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
    ~RunScope();

private:
    std::shared_ptr<RunContext> previous_;
};

}  // namespace tarn
