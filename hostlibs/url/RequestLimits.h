#pragma once
#include "hostlibs/run/RunOptions.h"

namespace tarn {

// How many requests the checker makes at once: in all, and to one host and port. With parallel 1 it asks
// one link at a time, as the module's worker asks.
struct RequestLimits {
    int parallel = 64;
    int perHost = 4;
};

// A run's limits: its options' where they give them, else the per-user options "checkParallel" and
// "checkPerHost" (numbers), else the defaults. Values below 1 count as 1.
RequestLimits requestLimits(const RequestOptions& options);

}  // namespace tarn
