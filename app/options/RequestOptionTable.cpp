#include "app/options/RequestOptionTable.h"

OptionTable requestOptionTable(tarn::RequestOptions& options) {
    return {
        {.name = "--parallel",
         .typeName = "N",
         .help = "requests at once while checking, ahead of the link being checked (default 64, or the "
                 "setting checkParallel; 1: one link at a time)",
         .target = &options.parallel,
         .configKey = "parallel",
         .check = inRange(1, 256)},
        {.name = "--per-host",
         .typeName = "N",
         .help = "requests at once to one host (default 4, or the setting checkPerHost)",
         .target = &options.perHost,
         .configKey = "per_host",
         .check = inRange(1, 64)},
    };
}
