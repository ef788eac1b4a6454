#pragma once
#include "hostlibs/run/RunOptions.h"

namespace tarn {

// How many requests the checker makes at once: in all, and to one host and port. With parallel 1 it asks
// one link at a time, as the module's worker asks.
struct RequestLimits {
    int parallel = 64;
    int perHost = 4;
};

// The most either limit may be, from the command line or the settings alike.
inline constexpr int kMostParallel = 256;
inline constexpr int kMostPerHost = 64;

// A run's limits: its options' where they give them, else the per-user options "checkParallel" and
// "checkPerHost" (numbers), else the defaults. A setting out of range (1 to the most above) is brought
// into it, and `notices` is told in one line.
RequestLimits requestLimits(const RequestOptions& options, const NoticeSink& notices = {});

}  // namespace tarn
