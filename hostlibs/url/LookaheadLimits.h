#pragma once
#include <optional>

namespace tarn {

// How far the checker runs ahead of the check engine's worker: requests at once in all, and to one host.
// parallel 1 asks one link at a time, as the worker asks.
struct LookaheadLimits {
    int parallel = 16;
    int perHost = 4;
};

// The limits of the next run: the command line's when it gave them, else the per-user options
// "checkParallel" and "checkPerHost" (numbers), else the defaults. Values below 1 count as 1.
LookaheadLimits lookaheadLimits();

// Set by the host program before any dialog runs.
void setCommandLineLimits(std::optional<int> parallel, std::optional<int> perHost);

// Whether a 2xx or 3xx answer carries over from one run of the dialog to the next (a batch check of
// several pages); otherwise every run asks again.
void keepGoodAnswersAcrossRuns(bool keep);
bool goodAnswersKeptAcrossRuns();

}  // namespace tarn
