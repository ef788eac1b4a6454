#include "app/options/RequestOptionTable.h"

#include "hostlibs/url/RequestHeaders.h"
#include "hostlibs/url/RequestLimits.h"

OptionTable requestOptionTable(tarn::RequestOptions& options) {
    return {
        {.name = "--parallel",
         .typeName = "N",
         .help = "requests at once while checking, ahead of the link being checked (default 64, or the "
                 "setting checkParallel; 1: one link at a time)",
         .target = &options.parallel,
         .configKey = "parallel",
         .check = inRange(1, tarn::kMostParallel)},
        {.name = "--per-host",
         .typeName = "N",
         .help = "requests at once to one host (default 4, or the setting checkPerHost)",
         .target = &options.perHost,
         .configKey = "per_host",
         .check = inRange(1, tarn::kMostPerHost)},
        {.name = "--timeout",
         .typeName = "SECONDS",
         .help = "give up on a link after SECONDS, its HEAD and GET together (1 to 300; default 20)",
         .target = &options.timeout,
         .configKey = "timeout",
         .check = inRange(1, 300)},
        {.name = "--user-agent",
         .typeName = "TEXT",
         .help = "send TEXT as the User-Agent of every request instead of the checker's own",
         .target = &options.userAgent,
         .configKey = "user_agent",
         .check = oneLine},
        {.name = "--header",
         .typeName = "\"NAME: VALUE\"",
         .help = "send this header with every request, HEAD and GET (repeatable)",
         .target = &options.headers,
         .configKey = "headers",
         .check = tarn::headerProblem,
         .configForm = ConfigForm::NameValueTable},
    };
}
